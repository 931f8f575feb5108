#include "FeatureCatalog.h"

namespace vimbrel::controller {
namespace {

std::u16string Bounded(std::u16string_view text) { return std::u16string(text.substr(0, kCatalogTextCapacity - 1)); }

}  // namespace

// Lists are freed node by node: a long chain must not recurse once per node.
CatalogEntry::~CatalogEntry() {
    while (next) next = std::move(next->next);
}

CatalogItem::~CatalogItem() {
    while (next) next = std::move(next->next);
}

int CFeatureCatalog::Count() const {
    int count = 0;
    for (const CatalogItem* item = First(); item; item = item->next.get()) ++count;
    return count;
}

void CFeatureCatalog::Clear() { head_.reset(); }

CatalogItem& CFeatureCatalog::AddItem(int key, int order, std::u16string_view title, int type, int minimum,
                                      int maximum) {
    auto item = std::make_unique<CatalogItem>();
    item->key = key;
    item->order = order;
    item->title = Bounded(title);
    item->type = type;
    item->sliderMinimum = minimum;
    item->sliderMaximum = maximum;
    std::unique_ptr<CatalogItem>* slot = &head_;
    while (*slot) slot = &(*slot)->next;
    *slot = std::move(item);
    return **slot;
}

int CFeatureCatalog::AddEntry(int key, std::u16string_view text) {
    CatalogItem* item = First();
    while (item && item->key != key) item = item->next.get();
    if (item == nullptr) return 0;
    AddEntry(*item, text);
    return 1;
}

void CFeatureCatalog::AddEntry(CatalogItem& item, std::u16string_view text) {
    std::unique_ptr<CatalogEntry>* slot = &item.firstEntry;
    while (*slot) slot = &(*slot)->next;
    *slot = std::make_unique<CatalogEntry>();
    (*slot)->text = Bounded(text);
}

int CFeatureCatalog::ClearEntries(int settingId) {
    CatalogItem* item = Find(settingId);
    if (item == nullptr) return 0;
    item->firstEntry.reset();
    return 1;
}

int CFeatureCatalog::RemoveItem(int settingId) {
    for (std::unique_ptr<CatalogItem>* slot = &head_; *slot; slot = &(*slot)->next) {
        if ((*slot)->SettingId() == settingId) {
            std::unique_ptr<CatalogItem> removed = std::move(*slot);
            *slot = std::move(removed->next);
            break;
        }
    }
    return 1;
}

const CatalogItem* CFeatureCatalog::Find(int settingId) const {
    for (const CatalogItem* item = First(); item; item = item->next.get()) {
        if (item->SettingId() == settingId) return item;
    }
    return nullptr;
}

CatalogItem* CFeatureCatalog::Find(int settingId) {
    return const_cast<CatalogItem*>(static_cast<const CFeatureCatalog*>(this)->Find(settingId));
}

const CatalogEntry* CFeatureCatalog::Entries(int settingId) const {
    const CatalogItem* item = Find(settingId);
    return item ? item->firstEntry.get() : nullptr;
}

int CFeatureCatalog::CountEnabledEntries(int settingId) const {
    const CatalogItem* item = Find(settingId);
    if (item == nullptr) return -1;
    int count = 0;
    for (const CatalogEntry* entry = item->firstEntry.get(); entry; entry = entry->next.get()) {
        if (entry->enabled) ++count;
    }
    return count;
}

int CFeatureCatalog::VisibleToEntryIndex(int settingId, int n) const {
    int position = 0;
    for (const CatalogEntry* entry = Entries(settingId); entry; entry = entry->next.get(), ++position) {
        if (entry->enabled && n-- == 0) return position;
    }
    return -1;
}

int CFeatureCatalog::EntryToVisibleIndex(int settingId, int k) const {
    const CatalogEntry* entry = Entries(settingId);
    if (entry == nullptr) return -1;
    int enabled = 0;
    for (int position = 0; entry && position <= k; entry = entry->next.get(), ++position) {
        if (entry->enabled) ++enabled;
    }
    return enabled - 1;
}

}  // namespace vimbrel::controller
