// The setting popups as the screen tests see them: opened by the pointer on
// their button, and the image popups' (effects, frames, stamps) tiles.
#pragma once

#include "ScreenPicture.h"
#include "ScreenSession.h"

#include <utility>
#include <vector>

namespace vimbrel::screentest {

// The image popups: 157 x 143, cell k's thumbnail at (7 + 37 (k % 4),
// 25 + 29 (k / 4)), 32 x 24 inside a grey frame line.
constexpr int kImagePopupWidth = 157, kImagePopupHeight = 143;
POINT ImageCellCentre(int cell);
// The thumbnail of cell k inside its grey frame line: 30 x 22 pixels, rows
// top first.
std::vector<COLORREF> ImageTile(const CScreenPicture& popup, int cell);
// The pairs of tiles that differ in no more than 30 of their pixels.
std::vector<std::pair<int, int>> LookAlikeTiles(const std::vector<std::vector<COLORREF>>& tiles);

// The pointer on a setting button until its popup shows (at most 5 s); the
// one popup shown, or null.
HWND HoverForPopup(const CProgramRun& run, HWND button);

}  // namespace vimbrel::screentest
