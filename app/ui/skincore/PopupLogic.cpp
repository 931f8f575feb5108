#include "PopupLogic.h"

#include <algorithm>
#include <cmath>

namespace vimbrel::ui {

namespace {

// Text is laid out from x 15 and the rows' icons need 5 more pixels.
constexpr float kIconTextMargin = 20.0f;

// Division that rounds towards minus infinity, so points left of or above
// the first cell never land in it by truncation alone.
int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

}  // namespace

// --- Icon rows ----------------------------------------------------------------

int IconPopupHeight(int count) { return count * kIconRowHeight + 17; }

PopupSize IconPopupSize(const std::vector<float>& textWidths) {
    if (textWidths.empty()) return {};
    int width = kIconPopupMinWidth;
    for (float w : textWidths) {
        // A text that does not fit whole widens the popup by a whole pixel.
        const int needed = static_cast<int>(std::ceil(w + kIconTextMargin));
        width = std::max(width, needed);
    }
    return {width, IconPopupHeight(static_cast<int>(textWidths.size()))};
}

int IconHoverRow(int y) { return y >= kPopupTitleHeight ? (y - kPopupTitleHeight) / kIconRowHeight : -1; }

int IconClickRow(int y, int count) {
    if (y <= kPopupTitleHeight) return -1;
    const int row = y / kIconRowHeight - 1;
    return row < count ? row : -1;
}

bool StripHasCell(int stripWidth, int cell) { return cell >= 0 && stripWidth >= (cell + 1) * kIconCell; }

const char* IconStripName(int settingId) {
    switch (settingId) {
    case 0x000: return "Sts_ShootMode2.png";
    case 0x100: return "Sts_Flash2.png";
    case 0x101: return "Sts_Timer2.png";
    case 0x102: return "Sts_ContShoot2.png";
    case 0x1000: return "Sts_PenSize2.png";
    default: return nullptr;
    }
}

// --- Image grid ---------------------------------------------------------------

CellPoint ImageCellOrigin(int cell) { return {7 + 37 * (cell % 4), 25 + 29 * (cell / 4)}; }

int ImageCellAt(int x, int y) {
    if (y < kPopupTitleHeight) return -1;
    const int column = std::clamp(FloorDiv(x - 4, 37), 0, 3);
    const int row = std::clamp(FloorDiv(y - 24, 28), 0, 3);
    return column + 4 * row;
}

const char* ThumbStripName(int settingId) {
    switch (settingId) {
    case kPopupLiveFilterId: return "filter.png";
    case kPopupPhotoFilterId: return "filteri.png";
    case 0x500: return "frame.png";
    case 0x502: return "facex.png";
    case 0x1100: return "stamp.png";
    default: return nullptr;
    }
}

bool ImagePopupShowsNames(int settingId) { return settingId == kPopupLiveFilterId || settingId == kPopupPhotoFilterId; }

const char* const kEffectNameKeys[kEffectNameCount] = {
    "IDS_EFFECT_NONE",         "IDS_EFFECT_CYAN",   "IDS_EFFECT_MAGENTA",   "IDS_EFFECT_YELLOW", "IDS_EFFECT_SHARPEN",
    "IDS_EFFECT_MOSAIC",       "IDS_EFFECT_EMBOSS", "IDS_EFFECT_FROSTED",   "IDS_EFFECT_GRAY",   "IDS_EFFECT_OILPAINT",
    "IDS_EFFECT_NEGATIVE",     "IDS_EFFECT_EDGE",   "IDS_EFFECT_CLEARTEXT", "IDS_EFFECT_SEPIA",  "IDS_EFFECT_BW",
    "IDS_EFFECT_KALEIDOSCOPE", "IDS_EFFECT_Dot",    "IDS_EFFECT_Symmetric",
};

int EffectNameOfCell(int settingId, int cell) {
    // The live filter offers neither Magenta nor Dot, and has Symmetric
    // before Kaleidoscope.
    static const int kLiveOrder[kThumbCells] = {0, 1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 17, 15};
    if (cell < 0 || cell >= kThumbCells) return -1;
    if (settingId == kPopupLiveFilterId) return kLiveOrder[cell];
    if (settingId == kPopupPhotoFilterId) return cell < 15 ? cell : 16;
    return -1;
}

// --- Colour palette -----------------------------------------------------------

const Colour kPalette[kPaletteSize] = {
    0x000000, 0x003399, 0x003333, 0x003300, 0x663300, 0x800000, 0x993333, 0x000080, 0x0066FF, 0x008080, 0x008000,
    0x808000, 0xFF0000, 0x996666, 0x0000FF, 0x0099FF, 0x00CC99, 0x669933, 0xCCCC33, 0xFF6633, 0x800080, 0xFF00FF,
    0x00CCFF, 0x00FFFF, 0x00FF00, 0xFFFF00, 0xFFCC00, 0x663399, 0xCC99FF, 0x99CCFF, 0x99FFFF, 0xCCFFCC, 0xFFFFCC,
    0xFFCC99, 0xFF99CC, 0x232323, 0x464646, 0x696969, 0x8C8C8C, 0xBEBEBE, 0xDCDCDC, 0xFFFFFF,
};

CellPoint PaletteCellOrigin(int cell) {
    return {4 + 15 * (cell % kPaletteColumns), 22 + 14 * (cell / kPaletteColumns)};
}

int PaletteIndexOf(Colour colour) {
    for (int i = 0; i < kPaletteSize; ++i)
        if (kPalette[i] == colour) return i;
    return -1;
}

namespace {

int PaletteCellAt(int x, int y) {
    const int row = std::clamp(FloorDiv(y - 18, 14), 0, kPaletteRows - 1);
    const int column = std::clamp(FloorDiv(x - 2, 15), 0, kPaletteColumns - 1);
    return kPaletteColumns * row + column;
}

}  // namespace

PaletteHit PaletteMoveHit(int x, int y) {
    if (y < kPopupTitleHeight) return {};
    if (y > kMoreLineY) return {PaletteHitKind::More, -1};
    return {PaletteHitKind::Cell, PaletteCellAt(x, y)};
}

PaletteHit PaletteClickHit(int x, int y) {
    if (y <= 15) return {};
    if (y >= kMoreLineY + 1) return {PaletteHitKind::More, -1};
    return {PaletteHitKind::Cell, PaletteCellAt(x, y)};
}

// --- Slider -------------------------------------------------------------------

int SliderMapping::PositionForValue(int value) const {
    switch (kind) {
    case Kind::Sensitivity: return value;
    case Kind::Reversed: return maximum + minimum - value;
    case Kind::Plain: break;
    }
    // A stored value outside the trackbar's range starts at its nearer end.
    return std::clamp(value, minimum, maximum);
}

int SliderMapping::ValueForPosition(int position) const {
    return kind == Kind::Reversed ? maximum + minimum - position : position;
}

int SliderMapping::NumberForPosition(int position) const {
    switch (kind) {
    case Kind::Sensitivity: return 11 - position;
    case Kind::Reversed: return maximum + minimum - position;
    case Kind::Plain: break;
    }
    return position;
}

int VideoQualityProperty(int settingId) {
    if (settingId == kPopupBrightnessId) return 0;
    if (settingId == kPopupContrastId) return 1;
    return -1;
}

SliderMapping SliderMappingFor(int settingId, int rangeMin, int rangeMax) {
    SliderMapping m;
    if (settingId == kPopupSensitivityId) {
        m.kind = SliderMapping::Kind::Sensitivity;
        m.minimum = 1;
        m.maximum = 10;
        m.page = 2;
    } else if (VideoQualityProperty(settingId) >= 0) {
        m.kind = SliderMapping::Kind::Reversed;
        m.minimum = rangeMin;
        m.maximum = rangeMax;
        m.page = (rangeMax - rangeMin) / 10;
    }
    return m;
}

}  // namespace vimbrel::ui
