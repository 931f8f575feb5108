#include "GalleryTables.h"

namespace lenstint {
namespace {

struct GalleryEntry {
    int effectId;
    GalleryLabel label;
};

const GalleryEntry kGallery[kGalleryItems] = {
    {23, {u"IDS_EFFECT_NONE", u"None"}},
    {4, {u"IDS_EFFECT_CYAN", u"Cyan"}},
    {5, {u"IDS_EFFECT_YELLOW", u"Yellow"}},
    {11, {u"IDS_EFFECT_SHARPEN", u"Sharpen"}},
    {17, {u"IDS_EFFECT_MOSAIC", u"Mosaic"}},
    {16, {u"IDS_EFFECT_EMBOSS", u"Emboss"}},
    {19, {u"IDS_EFFECT_FROSTED", u"Frosted"}},
    {9, {u"IDS_EFFECT_GRAY", u"Gray"}},
    {21, {u"IDS_EFFECT_OILPAINT", u"Oil Painting"}},
    {7, {u"IDS_EFFECT_NEGATIVE", u"Negative"}},
    {18, {u"IDS_EFFECT_EDGE", u"Edge"}},
    {14, {u"IDS_EFFECT_CLEARTEXT", u"Clear Text"}},
    {12, {u"IDS_EFFECT_SEPIA", u"Sepia"}},
    {15, {u"IDS_EFFECT_BW", u"Black and White"}},
    {26, {u"IDS_EFFECT_SYMMETRIC", u"Symmetric"}},
    {20, {u"IDS_EFFECT_KALEIDOSCOPE", u"Kaleidoscope"}},
};

bool InSheet(int item) { return item >= 0 && item < kGalleryItems; }

// The registry buffer holds 256 bytes: 127 characters and a terminator.
constexpr std::size_t kInstallFolderCapacity = 127;

}  // namespace

int EffectGalleryOrder(int item) { return InSheet(item) ? kGallery[item].effectId : kEffectIdNone; }

int GalleryItemForEffect(int effectId) {
    for (int item = 0; item < kGalleryItems; ++item)
        if (kGallery[item].effectId == effectId) return item;
    return 0;
}

GalleryLabel GalleryFilterLabel(int item) { return kGallery[InSheet(item) ? item : 0].label; }

GalleryLabel GalleryFilterTabLabel() { return {u"IDS_STG_FILTER", u"Filter"}; }
GalleryLabel GalleryFrameLabel() { return {u"IDS_STG_FRAME", u"Frame"}; }

std::u16string FrameItemLabel(const std::u16string& frameWord, int item) {
    std::u16string label = frameWord;
    label += u' ';
    const std::string digits = std::to_string(item);
    label.append(digits.begin(), digits.end());
    return label;
}

const char16_t* EffectLanguageSection(std::uint16_t languageId) {
    switch (languageId) {
    case 1025: return u"ARA";
    case 1028: return u"CHT";
    case 1031: return u"GER";
    case 1034:
    case 3082: return u"SPA";
    case 1036: return u"FRN";
    case 1040: return u"ITA";
    case 1041: return u"JPN";
    case 1042: return u"KRN";
    case 1046:
    case 2070: return u"PT";
    case 1049: return u"RUS";
    case 2052: return u"CHS";
    default: return u"ENG";
    }
}

CellLayout GalleryCell(int item, int gridWidth, int gridHeight) {
    const int width = gridWidth / kGalleryColumns;
    const int height = gridHeight / kGalleryRows;
    const int x = (item % kGalleryColumns) * width;
    const int y = (item / kGalleryColumns) * height;
    CellLayout layout{};
    layout.cell = {x, y, width, height};
    layout.thumbX = x + 8;
    layout.thumbY = y + 4;
    layout.label = {x, y + 51, width, height - 51};
    return layout;
}

int GalleryHitTest(int x, int y, int gridWidth, int gridHeight) {
    const int width = gridWidth / kGalleryColumns;
    const int height = gridHeight / kGalleryRows;
    if (width <= 0 || height <= 0 || x < 0 || y < 0) return -1;
    const int column = x / width;
    const int row = y / height;
    if (column >= kGalleryColumns || row >= kGalleryRows) return -1;
    return column + kGalleryColumns * row;
}

std::u16string NormaliseInstallFolder(const std::u16string& raw) {
    std::u16string folder = raw.substr(0, raw.find(u'\0'));
    if (folder.size() > kInstallFolderCapacity) folder.resize(kInstallFolderCapacity);
    if (!folder.empty() && folder.back() != u'\\' && folder.back() != u'/') folder += u'\\';
    return folder;
}

std::u16string PhotoFramePath(const std::u16string& installFolder, int number) {
    std::u16string path = installFolder + u"PhotoFrame\\frame";
    const std::string digits = std::to_string(number);
    path.append(digits.begin(), digits.end());
    return path + u".png";
}

}  // namespace lenstint
