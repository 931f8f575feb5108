#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CatalogParser.h"
#include "SettingTexts.h"
#include "TestPorts.h"

using namespace vimbrel::controller;
using vimbrel::controller::test::CFixedClock;
using vimbrel::controller::test::CKeyEchoLanguage;

namespace {

class CatalogParser : public ::testing::Test {
protected:
    int Parse(std::string_view text) { return ParseCatalog(text, texts, catalog); }

    std::vector<std::u16string> EntryTexts(int settingId) const {
        std::vector<std::u16string> out;
        for (const CatalogEntry* e = catalog.Entries(settingId); e; e = e->next.get()) {
            out.push_back(e->text);
        }
        return out;
    }

    CKeyEchoLanguage language;
    CFixedClock clock;
    CSettingTexts texts{language, clock};
    CFeatureCatalog catalog;
};

TEST_F(CatalogParser, SliderRangeAndModeMask) {
    EXPECT_EQ(Parse("0x200000,Sensitivity,slider,3~7\r\n"), 1);
    const CatalogItem* item = catalog.Find(0x0000);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->type, kCatalogSlider);
    EXPECT_EQ(item->sliderMinimum, 3);
    EXPECT_EQ(item->sliderMaximum, 7);
    EXPECT_EQ(item->title, u"[IDS_STG_SENSITIVITY]");
    for (int mode = 0; mode < 6; ++mode) EXPECT_EQ(item->IsShownInMode(mode), mode == 5) << mode;
}

TEST_F(CatalogParser, RangeShapes) {
    Parse("0x000001,Brightness,slider,5\n"            // no "~": a single value
          "0x000002,Brightness,slider,-4~12 spare\n"  // the maximum ends at a blank
          "0x000003,Brightness,slider,x~y\n"
          "0x000004,Brightness,slider\n"
          "0x000005,Brightness,slider,99999999999~-99999999999\n");
    auto range = [&](int id) {
        const CatalogItem* item = catalog.Find(id);
        return item ? std::make_pair(item->sliderMinimum, item->sliderMaximum) : std::make_pair(-1, -1);
    };
    EXPECT_EQ(range(1), std::make_pair(5, 5));
    EXPECT_EQ(range(2), std::make_pair(-4, 12));
    EXPECT_EQ(range(3), std::make_pair(0, 0));
    EXPECT_EQ(range(4), std::make_pair(0, 0));
    EXPECT_EQ(range(5), std::make_pair(2147483647, -2147483647 - 1));
}

TEST_F(CatalogParser, TypesAndEntries) {
    EXPECT_EQ(Parse("0x080100,Flash,item,F_On,F_Off\n"
                    "0x0B0400,Filter,image,ignored,words\n"
                    "0x101002,Color,color\n"
                    "0x3F1400,Advanced Settings,button\n"
                    "0x280103,Resolution,item\n"),
              5);
    EXPECT_EQ(catalog.Find(0x100)->type, kCatalogItem);
    EXPECT_EQ(EntryTexts(0x100), (std::vector<std::u16string>{u"[IDS_STG_FLASHON]", u"[IDS_STG_FLASHOFF]"}));
    EXPECT_EQ(catalog.Find(0x400)->type, kCatalogImage);
    EXPECT_EQ(catalog.Entries(0x400), nullptr);
    EXPECT_EQ(catalog.Find(0x1002)->type, kCatalogColor);
    EXPECT_EQ(catalog.Find(0x1400)->type, kCatalogButton);
    EXPECT_EQ(catalog.Find(0x1400)->title, u"[IDS_STG_ADVANCEDSETTING]");
    EXPECT_EQ(catalog.Find(0x103)->firstEntry, nullptr);
}

TEST_F(CatalogParser, UnusableLinesAreSkippedWithoutTakingAnOrder) {
    Parse("\r\n"
          "   \n"
          "// 0x0F0101,Timer,item,T_5\n"
          "0x0F0101,Timer\n"  // two fields
          "0x0F0101\n"
          "0x0F0102,Timer,dial,T_5\n"  // unknown type
          "0x0F0103,Timer,Item,T_5\n"  // type words are exact
          "Timer,0x0F0104,item\n"      // no key first
          "0x,Timer,item\n"
          "0x0F0G05,Timer,item\n"
          "0x1234567890,Timer,item\n"  // more than 32 bits
          ",,,\n"
          "0x080100,Flash,item,F_On\n"
          "0x080106,JPGQuality,item,J_Good\n");
    ASSERT_EQ(catalog.Count(), 2);
    EXPECT_EQ(catalog.First()->key, 0x080100);
    EXPECT_EQ(catalog.First()->order, 0);
    EXPECT_EQ(catalog.First()->next->key, 0x080106);
    EXPECT_EQ(catalog.First()->next->order, 1);
}

TEST_F(CatalogParser, FieldsAndLineEnds) {
    Parse("0x0F0101 , Timer , item , T_5 ,, T_10,\tT_Off \r\n"
          "0x080102,ContShooting,item,CS_3,Nonsense,CS_1\r"
          "0x080106,JPGQuality,item,J_Good");  // last line without an end
    EXPECT_EQ(catalog.Find(0x101)->title, u"[IDS_STG_TIMER]");
    EXPECT_EQ(EntryTexts(0x101),
              (std::vector<std::u16string>{u"[IDS_STG_TIMER5]", u"[IDS_STG_TIMER10]", u"[IDS_STG_TIMEROFF]"}));
    // A word outside the table gives an empty entry; a lone CR ends a line.
    EXPECT_EQ(EntryTexts(0x102),
              (std::vector<std::u16string>{u"[IDS_STG_CONTSHOOT3]", u"", u"[IDS_STG_CONTSHOOTOFF]"}));
    EXPECT_EQ(EntryTexts(0x106), (std::vector<std::u16string>{u"[IDS_STG_JPGQUALITYGOOD]"}));
    EXPECT_EQ(catalog.Count(), 3);
}

TEST_F(CatalogParser, OverlongLinesAreCutNotSplit) {
    // 127 characters are read; the rest, which would read as a line of its
    // own, is dropped.
    std::string head = "0x080100,Flash,item,F_On";
    std::string line = head + std::string(127 - head.size() - 6, ' ') + ",F_Off" + ",0x0F0999,Timer,button";
    ASSERT_GT(line.size(), 127u);
    Parse(line + "\r\n0x0F0101,Timer,item\r\n");
    EXPECT_EQ(EntryTexts(0x100), (std::vector<std::u16string>{u"[IDS_STG_FLASHON]", u"[IDS_STG_FLASHOFF]"}));
    EXPECT_EQ(catalog.Find(0x999), nullptr);
    ASSERT_EQ(catalog.Count(), 2);
    EXPECT_EQ(catalog.Find(0x101)->order, 1);
}

TEST_F(CatalogParser, RepeatedKeysKeepTheirOwnEntries) {
    Parse("0x080100,Flash,item,F_On\n0x080100,Flash,item,F_Off\n");
    ASSERT_EQ(catalog.Count(), 2);
    EXPECT_EQ(catalog.First()->firstEntry->text, u"[IDS_STG_FLASHON]");
    EXPECT_EQ(catalog.First()->firstEntry->next, nullptr);
    EXPECT_EQ(catalog.First()->next->firstEntry->text, u"[IDS_STG_FLASHOFF]");
}

TEST_F(CatalogParser, DateWordsAreSamplesOfTheClock) {
    Parse("0x0B0105,Date,item,MMDDYYYY,MMDD,HHMMMMDD,D_Off\n");
    EXPECT_EQ(EntryTexts(0x105),
              (std::vector<std::u16string>{u"07/04/2026", u"07/04", u"09:05 07/04", u"[IDS_STG_DATEOFF]"}));
}

}  // namespace
