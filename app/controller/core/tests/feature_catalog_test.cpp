#include <gtest/gtest.h>

#include <string>

#include "FeatureCatalog.h"

using namespace vimbrel::controller;

namespace {

// Resolution item with five entries, enabled: yes no yes no yes.
void AddMixedItem(CFeatureCatalog& catalog) {
    catalog.AddItem(0x280103, 0, u"Size", kCatalogItem, 0, 0);
    for (const char16_t* text : {u"e0", u"e1", u"e2", u"e3", u"e4"}) catalog.AddEntry(0x280103, text);
    int position = 0;
    for (CatalogEntry* e = catalog.Find(0x103)->firstEntry.get(); e; e = e->next.get()) {
        e->enabled = position++ % 2 == 0;
    }
}

TEST(FeatureCatalog, LookupsMatchTheSettingIdOnly) {
    CFeatureCatalog catalog;
    EXPECT_TRUE(catalog.IsEmpty());
    catalog.AddItem(0x0B0400, 0, u"Filter", kCatalogImage, 0, 0);
    catalog.AddItem(0x100401, 1, u"Filter", kCatalogImage, 0, 0);
    EXPECT_EQ(catalog.Find(0x400)->key, 0x0B0400);
    EXPECT_EQ(catalog.Find(0x401)->key, 0x100401);
    EXPECT_EQ(catalog.Find(0x0B0400), nullptr);
    // Entries go to the item whose whole key matches.
    EXPECT_EQ(catalog.AddEntry(0x400, u"x"), 0);
    EXPECT_EQ(catalog.AddEntry(0x100401, u"x"), 1);
    EXPECT_EQ(catalog.CountEnabledEntries(0x400), 0);
    EXPECT_EQ(catalog.CountEnabledEntries(0x401), 1);
    EXPECT_EQ(catalog.CountEnabledEntries(0x999), -1);
    EXPECT_EQ(catalog.Count(), 2);
}

TEST(FeatureCatalog, IndexMapsSkipDisabledEntries) {
    CFeatureCatalog catalog;
    AddMixedItem(catalog);
    EXPECT_EQ(catalog.CountEnabledEntries(0x103), 3);
    EXPECT_EQ(catalog.VisibleToEntryIndex(0x103, 0), 0);
    EXPECT_EQ(catalog.VisibleToEntryIndex(0x103, 1), 2);
    EXPECT_EQ(catalog.VisibleToEntryIndex(0x103, 2), 4);
    EXPECT_EQ(catalog.VisibleToEntryIndex(0x103, 3), -1);
    EXPECT_EQ(catalog.VisibleToEntryIndex(0x103, -1), -1);
    EXPECT_EQ(catalog.EntryToVisibleIndex(0x103, 0), 0);
    EXPECT_EQ(catalog.EntryToVisibleIndex(0x103, 1), 0);
    EXPECT_EQ(catalog.EntryToVisibleIndex(0x103, 2), 1);
    EXPECT_EQ(catalog.EntryToVisibleIndex(0x103, 3), 1);
    EXPECT_EQ(catalog.EntryToVisibleIndex(0x103, 4), 2);
    EXPECT_EQ(catalog.EntryToVisibleIndex(0x103, 9), 2);
    EXPECT_EQ(catalog.EntryToVisibleIndex(0x103, -1), -1);

    catalog.AddItem(0x030104, 1, u"Size", kCatalogItem, 0, 0);
    EXPECT_EQ(catalog.VisibleToEntryIndex(0x104, 0), -1);
    EXPECT_EQ(catalog.EntryToVisibleIndex(0x104, 0), -1);
    EXPECT_EQ(catalog.VisibleToEntryIndex(0x555, 0), -1);
    EXPECT_EQ(catalog.EntryToVisibleIndex(0x555, 0), -1);
}

TEST(FeatureCatalog, RemoveUnlinksOnlyTheNamedItem) {
    CFeatureCatalog catalog;
    catalog.AddItem(0x0B0200, 0, u"B", kCatalogSlider, 0, 100);
    catalog.AddItem(0x0B0201, 1, u"C", kCatalogSlider, 0, 100);
    catalog.AddItem(0x000202, 2, u"W", kCatalogItem, 0, 0);
    catalog.AddEntry(0x000202, u"day");
    const CatalogItem* last = catalog.Find(0x202);

    EXPECT_EQ(catalog.RemoveItem(0x201), 1);
    EXPECT_EQ(catalog.Find(0x201), nullptr);
    EXPECT_EQ(catalog.First()->next.get(), last);  // survivors are the same nodes
    EXPECT_EQ(catalog.RemoveItem(0x999), 1);
    EXPECT_EQ(catalog.RemoveItem(0x200), 1);
    EXPECT_EQ(catalog.First(), last);
    EXPECT_EQ(catalog.RemoveItem(0x202), 1);
    EXPECT_TRUE(catalog.IsEmpty());
    // The list is usable after emptying.
    catalog.AddItem(0x080100, 0, u"F", kCatalogItem, 0, 0);
    EXPECT_EQ(catalog.Count(), 1);
}

TEST(FeatureCatalog, TextsAreKeptTo259Characters) {
    CFeatureCatalog catalog;
    catalog.AddItem(0x080100, 0, std::u16string(400, u't'), kCatalogItem, 0, 0);
    catalog.AddEntry(0x080100, std::u16string(260, u'e'));
    EXPECT_EQ(catalog.Find(0x100)->title.size(), 259u);
    EXPECT_EQ(catalog.Entries(0x100)->text.size(), 259u);
}

TEST(FeatureCatalog, LongListsAreFreedWithoutDeepRecursion) {
    CFeatureCatalog catalog;
    CatalogItem& item = catalog.AddItem(0x080100, 0, u"F", kCatalogItem, 0, 0);
    for (int i = 0; i < 200000; ++i) {  // prepended: appending walks the list
        auto entry = std::make_unique<CatalogEntry>();
        entry->next = std::move(item.firstEntry);
        item.firstEntry = std::move(entry);
    }
    for (int i = 1; i < 2000; ++i) catalog.AddItem(i, i, u"", kCatalogImage, 0, 0);
    catalog.Clear();
    EXPECT_TRUE(catalog.IsEmpty());
}

}  // namespace
