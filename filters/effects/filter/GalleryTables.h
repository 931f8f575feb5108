// What the effect gallery page knows without a window: which effect each
// gallery item stands for and what its label is called, which section of the
// language file serves which interface language, where the 4 x 4 cells of
// the thumbnail grid lie, and how install-folder paths are joined.
// Portable: no Windows header, UTF-16 as char16_t.
#pragma once

#include <cstdint>
#include <string>

namespace lenstint {

constexpr int kGalleryItems = 16;  // items per sheet
constexpr int kGalleryColumns = 4;
constexpr int kGalleryRows = 4;
constexpr int kThumbWidth = 64;  // one thumbnail in the 1024 x 48 strip
constexpr int kThumbHeight = 48;
constexpr int kEffectIdNone = 23;
constexpr int kEffectIdPhotoFrame = 22;

struct GalleryLabel {
    const char16_t* key;       // key in the language file
    const char16_t* fallback;  // English text when the key is missing
};

// Effect id of filter item 0..15; None (23) for an item outside the sheet.
int EffectGalleryOrder(int item);
// The filter item showing an effect; 0 (None) for effects the gallery lacks.
int GalleryItemForEffect(int effectId);
// Label of filter item 0..15; item 0's for an item outside the sheet.
GalleryLabel GalleryFilterLabel(int item);
// The key and English text of the two tabs and of the frame items.
GalleryLabel GalleryFilterTabLabel();
GalleryLabel GalleryFrameLabel();
// The frame item's label from the localised word for "Frame": "Frame 3".
std::u16string FrameItemLabel(const std::u16string& frameWord, int item);

// Section of the language file for a Windows interface language id.
const char16_t* EffectLanguageSection(std::uint16_t languageId);

struct CellRect {
    int x, y, width, height;
};

struct CellLayout {
    CellRect cell;
    int thumbX, thumbY;  // where the 64 x 48 thumbnail goes
    CellRect label;      // below the thumbnail, to the cell's bottom
};

// Cell i of a grid of the given client size: column i % 4, row i / 4.
CellLayout GalleryCell(int item, int gridWidth, int gridHeight);
// The cell under a point, or -1 outside the grid.
int GalleryHitTest(int x, int y, int gridWidth, int gridHeight);

// The install folder as the pages use it: cut at the first terminator or at
// the capacity of the registry buffer (128 characters), with a trailing
// backslash added when missing. Empty stays empty.
std::u16string NormaliseInstallFolder(const std::u16string& raw);
// install folder + "PhotoFrame\frame<n>.png".
std::u16string PhotoFramePath(const std::u16string& installFolder, int number);

}  // namespace lenstint
