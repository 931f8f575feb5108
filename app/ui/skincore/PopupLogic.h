// The item popups' rules, free of any window: sizes, the row, cell and
// palette under a point, the slider's position and value mapping, and the
// pictures and effect names each setting uses.
#pragma once

#include "SkinTypes.h"

#include <vector>

namespace vimbrel::ui {

// Setting ids with a popup rule of their own.
constexpr int kPopupShootModeId = 0x000;
constexpr int kPopupDateId = 0x105;
constexpr int kPopupBrightnessId = 0x200;
constexpr int kPopupContrastId = 0x201;
constexpr int kPopupLiveFilterId = 0x400;
constexpr int kPopupPhotoFilterId = 0x401;
constexpr int kPopupPenColourId = 0x1002;
constexpr int kPopupSensitivityId = 0x1300;

// Every popup: a 16-pixel title bar, then the body.
constexpr int kPopupTitleHeight = 16;

// --- Icon rows ----------------------------------------------------------------

constexpr int kIconPopupMinWidth = 115;
constexpr int kIconRowHeight = 16;
constexpr int kIconCell = 12;

struct PopupSize {
    int width = 0, height = 0;
};

// The icon popup's size for the measured widths of its enabled entries'
// texts: at least 115 wide, each text plus 20; 16 pixels per row plus the
// title and the bottom border. Zero size without entries.
PopupSize IconPopupSize(const std::vector<float>& textWidths);
// The height alone, for `count` rows (Rebuild keeps the width at 115).
int IconPopupHeight(int count);

// The row under a mouse move at y (16 and below the title), else -1.
int IconHoverRow(int y);
// The row a click at y chooses among `count` rows: -1 on the title and on
// the bottom border (row count).
int IconClickRow(int y, int count);
// Top of row i.
inline int IconRowTop(int row) { return 17 + kIconRowHeight * row; }
// Whether a strip `stripWidth` pixels wide has a 12-pixel cell `cell`.
bool StripHasCell(int stripWidth, int cell);
// The icon strip of a setting's rows; null for settings without icons.
const char* IconStripName(int settingId);

// --- Image grid ---------------------------------------------------------------

constexpr int kImagePopupWidth = 157, kImagePopupHeight = 143;
constexpr int kThumbWidth = 32, kThumbHeight = 24, kThumbCells = 16;

struct CellPoint {
    int x = 0, y = 0;
};

// Top-left corner of thumbnail cell k (0..15).
CellPoint ImageCellOrigin(int cell);
// The cell under a point of the body (y 16 or more); -1 above it.
int ImageCellAt(int x, int y);
// The thumbnail strip of a setting; null when it has none.
const char* ThumbStripName(int settingId);
// Whether the setting's cells carry effect names (the two filters).
bool ImagePopupShowsNames(int settingId);

constexpr int kEffectNameCount = 18;
// Language keys of the effect names, numbered 0..17.
extern const char* const kEffectNameKeys[kEffectNameCount];
// The effect name number of a filter cell; -1 for other settings or cells.
int EffectNameOfCell(int settingId, int cell);

// --- Colour palette -----------------------------------------------------------

constexpr int kColourPopupWidth = 111, kColourPopupHeight = 120;
constexpr int kPaletteColumns = 7, kPaletteRows = 6;
constexpr int kPaletteSize = kPaletteColumns * kPaletteRows;
// The "more." line starts below this y.
constexpr int kMoreLineY = 106;

extern const Colour kPalette[kPaletteSize];

CellPoint PaletteCellOrigin(int cell);
// The palette cell whose colour is `colour`, or -1.
int PaletteIndexOf(Colour colour);

enum class PaletteHitKind { None, Cell, More };
struct PaletteHit {
    PaletteHitKind kind = PaletteHitKind::None;
    int cell = -1;
};
// What a mouse move at (x, y) inside the popup is over: nothing on the
// title, "more." below y 106, else a cell.
PaletteHit PaletteMoveHit(int x, int y);
// What a click at (x, y) inside the popup chooses: nothing on the title
// (y 15 and above), "more." from y 107, else a cell.
PaletteHit PaletteClickHit(int x, int y);

// --- Slider -------------------------------------------------------------------

constexpr int kSliderPopupWidth = 60, kSliderPopupHeight = 120;

// The trackbar's range, page and how positions, values and the number
// shown relate for one setting. The top of the trackbar (its minimum
// position) is always the highest value.
struct SliderMapping {
    enum class Kind { Sensitivity, Reversed, Plain };
    Kind kind = Kind::Plain;
    int minimum = 0, maximum = 100, page = 10;

    int PositionForValue(int value) const;
    int ValueForPosition(int position) const;
    int NumberForPosition(int position) const;
};

// Whether a setting's value comes from the camera's video-quality range
// (brightness, property 0; contrast, property 1); -1 when it does not.
int VideoQualityProperty(int settingId);
// The mapping of a setting; `rangeMin`/`rangeMax` are the video-quality
// range, used only by brightness and contrast.
SliderMapping SliderMappingFor(int settingId, int rangeMin, int rangeMax);

}  // namespace vimbrel::ui
