#pragma once
// The feature catalogue in file order, with the lookups by setting id and
// the maps between an item's enabled entries and its whole entry list.

#include <string_view>

#include "CatalogTypes.h"

namespace vimbrel::controller {

class CFeatureCatalog {
public:
    CFeatureCatalog() = default;
    ~CFeatureCatalog() { Clear(); }
    CFeatureCatalog(const CFeatureCatalog&) = delete;
    CFeatureCatalog& operator=(const CFeatureCatalog&) = delete;

    const CatalogItem* First() const { return head_.get(); }
    CatalogItem* First() { return head_.get(); }
    bool IsEmpty() const { return head_ == nullptr; }
    int Count() const;
    void Clear();

    // Appends an item at the end of the list.
    CatalogItem& AddItem(int key, int order, std::u16string_view title, int type, int minimum, int maximum);
    // Appends an enabled entry to the item whose whole key is key; 0 when
    // there is none.
    int AddEntry(int key, std::u16string_view text);
    static void AddEntry(CatalogItem& item, std::u16string_view text);
    // Frees every entry of the first item of the setting, for lists that are
    // filled anew from the engine; 0 when there is no such item.
    int ClearEntries(int settingId);
    // Unlinks and frees the first item of the setting; always 1.
    int RemoveItem(int settingId);

    // Lookups by the low 16 bits of the key: the first item in list order.
    const CatalogItem* Find(int settingId) const;
    CatalogItem* Find(int settingId);
    const CatalogEntry* Entries(int settingId) const;

    // Entries with the enabled flag set; -1 when there is no such item.
    int CountEnabledEntries(int settingId) const;
    // Position in the whole list of the n-th enabled entry (n from 0);
    // -1 without entries or when there are not that many enabled ones.
    int VisibleToEntryIndex(int settingId, int n) const;
    // Enabled entries among the first k + 1 entries, less 1; -1 without entries.
    int EntryToVisibleIndex(int settingId, int k) const;

private:
    std::unique_ptr<CatalogItem> head_;
};

}  // namespace vimbrel::controller
