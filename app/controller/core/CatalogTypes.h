#pragma once
// Records of the feature catalogue: one item per setting the function panel
// can show, each with its list of entries. Items and entries are linked
// nodes so windows can hold on to one while the controller edits others.

#include <memory>
#include <string>

namespace vimbrel::controller {

enum CatalogItemType : int {
    kCatalogItem = 0,    // a list of entries
    kCatalogSlider = 1,  // a range
    kCatalogImage = 2,
    kCatalogColor = 3,
    kCatalogButton = 4,
};

// Titles and entry texts are kept to 259 characters, the buffers the
// windows copy them into.
constexpr std::size_t kCatalogTextCapacity = 260;

struct CatalogEntry {
    std::u16string text;
    int enabled = 1;
    std::unique_ptr<CatalogEntry> next;

    ~CatalogEntry();
};

struct CatalogItem {
    int key = 0;  // 0xMMIIII: mode mask MM, setting id IIII
    int type = kCatalogItem;
    int sliderMaximum = 0;
    int sliderMinimum = 0;
    int order = 0;
    std::u16string title;
    std::unique_ptr<CatalogItem> next;
    std::unique_ptr<CatalogEntry> firstEntry;

    ~CatalogItem();

    int SettingId() const { return key & 0xFFFF; }
    int ModeMask() const { return (key >> 16) & 0xFF; }
    bool IsShownInMode(int modeId) const { return modeId >= 0 && modeId < 8 && (ModeMask() & (1 << modeId)) != 0; }
};

}  // namespace vimbrel::controller
