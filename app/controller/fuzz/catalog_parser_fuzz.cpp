// Any bytes as a feature catalogue: the parser must neither crash nor read
// out of bounds, items keep their order, and texts stay within bounds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "CatalogParser.h"

using namespace vimbrel::controller;

namespace {

class CEchoWords final : public ICatalogWords {
public:
    std::u16string GetSettingText(std::u16string_view word) const override { return std::u16string(word); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CEchoWords words;
    CFeatureCatalog catalog;
    int added = ParseCatalog(std::string_view(reinterpret_cast<const char*>(data), size), words, catalog);
    int order = 0;
    for (const CatalogItem* item = catalog.First(); item; item = item->next.get(), ++order) {
        if (item->order != order || item->type < kCatalogItem || item->type > kCatalogButton) std::abort();
        if (item->title.size() >= kCatalogTextCapacity) std::abort();
        if (item->type != kCatalogSlider && (item->sliderMinimum != 0 || item->sliderMaximum != 0)) std::abort();
        for (const CatalogEntry* entry = item->firstEntry.get(); entry; entry = entry->next.get()) {
            if (item->type != kCatalogItem || entry->text.empty()) std::abort();
        }
        catalog.VisibleToEntryIndex(item->SettingId(), order);
        catalog.EntryToVisibleIndex(item->SettingId(), order);
    }
    if (order != added) std::abort();
    return 0;
}
