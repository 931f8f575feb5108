// The catalogue, the language file and geo.ini the program ships, read
// from the source tree: the catalogue must give the items the panel is
// built for, every key the controller asks for must have a text in every
// language, and every nation in geo.ini must recommend 50 or 60 Hz.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "ButtonKeys.h"
#include "CatalogParser.h"
#include "ItemPictures.h"
#include "LanguageLookup.h"
#include "ProfileText.h"
#include "SettingsDialogRules.h"
#include "SettingTexts.h"
#include "TestPorts.h"

using namespace vimbrel::controller;
using vimbrel::controller::test::CFixedClock;
using vimbrel::controller::test::CKeyEchoLanguage;

namespace {

std::string ReadResource(const char* name) {
    std::ifstream file(std::string(VIMBREL_RESOURCES_DIR) + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

struct ExpectedItem {
    int key;
    const char16_t* titleKey;
    int type;
    int entries;
};

// The shipped catalogue, line by line.
const ExpectedItem kShipped[] = {
    {0x0B0000, u"IDS_STG_SHOOTMODE", kCatalogItem, 7},     {0x080100, u"IDS_STG_FLASH", kCatalogItem, 2},
    {0x0F0101, u"IDS_STG_TIMER", kCatalogItem, 3},         {0x080102, u"IDS_STG_CONTSHOOT", kCatalogItem, 5},
    {0x280103, u"IDS_STG_RESOLUTION", kCatalogItem, 0},    {0x030104, u"IDS_STG_RESOLUTION", kCatalogItem, 0},
    {0x0B0105, u"IDS_STG_DATE", kCatalogItem, 4},          {0x080106, u"IDS_STG_JPGQUALITY", kCatalogItem, 3},
    {0x030107, u"IDS_STG_ASFQUALITY", kCatalogItem, 0},    {0x040108, u"IDS_STG_WMAQUALITY", kCatalogItem, 0},
    {0x030109, u"IDS_STG_VIDEOFILETYPE", kCatalogItem, 3}, {0x04010A, u"IDS_STG_AUDIOFILETYPE", kCatalogItem, 2},
    {0x08010B, u"IDS_STG_IMAGEFILETYPE", kCatalogItem, 5}, {0x0B0200, u"IDS_STG_BRIGHTNESS", kCatalogSlider, 0},
    {0x0B0201, u"IDS_STG_CONTRAST", kCatalogSlider, 0},    {0x000202, u"IDS_STG_WHITEBALANCE", kCatalogItem, 4},
    {0x0F0300, u"IDS_STG_DEFAULT", kCatalogItem, 1},       {0x0B0400, u"IDS_STG_FILTER", kCatalogImage, 0},
    {0x100401, u"IDS_STG_FILTER", kCatalogImage, 0},       {0x1B0500, u"IDS_STG_FRAME", kCatalogImage, 0},
    {0x101000, u"IDS_STG_PENSIZE", kCatalogItem, 4},       {0x001001, u"IDS_STG_PENTYPE", kCatalogItem, 2},
    {0x101002, u"IDS_STG_COLOR", kCatalogColor, 0},        {0x101100, u"IDS_STG_STAMP", kCatalogImage, 0},
    {0x001200, u"IDS_STG_PRINT", kCatalogItem, 1},         {0x201300, u"IDS_STG_SENSITIVITY", kCatalogSlider, 0},
    {0x001301, u"IDS_STG_RECORDTYPE", kCatalogItem, 2},    {0x3F1400, u"IDS_STG_ADVANCEDSETTING", kCatalogButton, 0},
};

class ShippedCatalog : public ::testing::Test {
protected:
    void SetUp() override {
        text = ReadResource("functions.stg");
        ASSERT_FALSE(text.empty()) << "resources/functions.stg is missing";
        items = ParseCatalog(text, texts, catalog);
    }

    CKeyEchoLanguage language;
    CFixedClock clock;
    CSettingTexts texts{language, clock};
    CFeatureCatalog catalog;
    std::string text;
    int items = 0;
};

TEST_F(ShippedCatalog, ItemsInFileOrder) {
    ASSERT_EQ(items, 28);
    const CatalogItem* item = catalog.First();
    for (int i = 0; i < 28; ++i, item = item->next.get()) {
        ASSERT_NE(item, nullptr);
        const ExpectedItem& expected = kShipped[i];
        EXPECT_EQ(item->key, expected.key) << "item " << i;
        EXPECT_EQ(item->order, i);
        EXPECT_EQ(item->type, expected.type) << "item " << i;
        EXPECT_EQ(item->title, u"[" + std::u16string(expected.titleKey) + u"]") << "item " << i;
        int entries = 0;
        for (const CatalogEntry* e = item->firstEntry.get(); e; e = e->next.get()) {
            EXPECT_FALSE(e->text.empty()) << "item " << i << " has an entry outside the word table";
            EXPECT_EQ(e->enabled, 1);
            ++entries;
        }
        EXPECT_EQ(entries, expected.entries) << "item " << i;
    }
    EXPECT_EQ(item, nullptr);
}

TEST_F(ShippedCatalog, SlidersMasksAndLookups) {
    EXPECT_EQ(catalog.Find(0x200)->sliderMinimum, 0);
    EXPECT_EQ(catalog.Find(0x200)->sliderMaximum, 100);
    EXPECT_EQ(catalog.Find(0x201)->sliderMaximum, 100);
    EXPECT_EQ(catalog.Find(0x1300)->sliderMinimum, 0);
    EXPECT_EQ(catalog.Find(0x1300)->sliderMaximum, 9);
    EXPECT_EQ(catalog.CountEnabledEntries(0x102), 5);
    EXPECT_EQ(catalog.CountEnabledEntries(0x999), -1);
    EXPECT_NE(catalog.Find(0x400), catalog.Find(0x401));
    // Shown in no mode: white balance, pen type, print, record type.
    for (int id : {0x202, 0x1001, 0x1200, 0x1301}) {
        for (int mode = 0; mode < 6; ++mode) EXPECT_FALSE(catalog.Find(id)->IsShownInMode(mode));
    }
    for (int mode = 0; mode < 6; ++mode) EXPECT_TRUE(catalog.Find(0x1400)->IsShownInMode(mode));
    EXPECT_TRUE(catalog.Find(0x103)->IsShownInMode(3));
    EXPECT_TRUE(catalog.Find(0x103)->IsShownInMode(5));
    EXPECT_FALSE(catalog.Find(0x103)->IsShownInMode(0));
    // The shoot modes the camera module switches are entries 2, 4 and 6.
    const CatalogEntry* shoot = catalog.Entries(0x000);
    EXPECT_EQ(shoot->next->next->text, u"[IDS_STG_FASTOBJECT]");
    EXPECT_EQ(shoot->next->next->next->next->text, u"[IDS_STG_MACRO]");
    EXPECT_EQ(shoot->next->next->next->next->next->next->text, u"[IDS_STG_AUTO]");
}

TEST_F(ShippedCatalog, FileShape) {
    std::istringstream lines(text);
    std::string line;
    int dataLines = 0;
    while (std::getline(lines, line)) {
        ASSERT_FALSE(line.empty());
        EXPECT_EQ(line.back(), '\r') << "lines end in CR LF";
        EXPECT_LE(line.size() - 1, kCatalogLineLimit);
        if (line.compare(0, 2, "//") != 0) ++dataLines;
    }
    EXPECT_EQ(dataLines, 28);
    EXPECT_NE(text.find("//0x04010A,AudioFileType,item,AFT_WMA,AFT_WAV,AFT_AVI\r\n"), std::string::npos);
    EXPECT_NE(text.find("//0x0B0502,Face,image\r\n"), std::string::npos);
}

TEST(ShippedCatalogPictures, EveryItemHasItsOwnColumn) {
    std::set<int> columns;
    for (const ExpectedItem& item : kShipped) {
        int column = ItemImageIndex(item.key & 0xFFFF);
        EXPECT_LT(column, kItemImageColumns);
        // The two resolution items share a picture.
        if ((item.key & 0xFFFF) != 0x104) {
            EXPECT_TRUE(columns.insert(column).second) << std::hex << item.key;
        }
    }
    EXPECT_EQ(columns.size(), 27u);
}

// Every key the controller asks for has a text (the language file's own
// test checks that every language has every key).
TEST(ShippedLanguageFile, HasEveryControllerKey) {
    std::string bytes = ReadResource("Vimbrel.ini");
    vimbrel::texts::CProfileText profile(
        vimbrel::texts::DecodeProfileBytes(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()));
    std::vector<std::u16string> keys;
    ForEachSettingWord([&](const char16_t*, const char16_t* key) { keys.push_back(key); });
    for (std::uint32_t colour : kButtonKeys) keys.push_back(ButtonTipKey(colour));
    for (const std::u16string& key : keys) {
        EXPECT_TRUE(vimbrel::texts::LookupLanguageText(profile, 0x409, key).has_value())
            << "no text for " << std::string(key.begin(), key.end());
    }
}

// geo.ini as the prompt reads it: each key of [Locale] through a 32-wide
// buffer, its frequency by the prompt's own rule. Nations checked by hand
// by their geo ids: United States 0xf4, Canada 0x27, Brazil 0x20, Korea
// 0x86, Saudi Arabia 0xcd at 60; Germany 0x5e, United Kingdom 0xf2, China
// 0x2d, and Japan 0x7a (50 east, 60 west: one number, the eastern one) at 50.
TEST(ShippedGeoFile, EveryNationRecommendsFiftyOrSixtyHertz) {
    std::string bytes = ReadResource("geo.ini");
    const std::u16string text = vimbrel::texts::DecodeProfileBytes(reinterpret_cast<const unsigned char*>(bytes.data()),
                                                                   bytes.size());
    vimbrel::texts::CProfileText profile(text);
    std::set<std::u16string> keys;
    std::istringstream lines(bytes);
    bool inLocale = false;
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            inLocale = line == "[Locale]";
            continue;
        }
        ASSERT_TRUE(inLocale) << line;
        const std::string key = line.substr(0, line.find('='));
        ASSERT_EQ(key.find_first_not_of("0123456789abcdef"), std::string::npos) << line;
        const std::u16string wide(key.begin(), key.end());
        EXPECT_TRUE(keys.insert(wide).second) << "twice: " << key;
        const std::u16string value = profile.ReadString(u"Locale", wide, 32);
        const int hertz = FrequencyFromGeoValue(value);
        EXPECT_TRUE(hertz == 50 || hertz == 60) << line;
    }
    EXPECT_GT(keys.size(), 240u);
    auto hertzOf = [&](int geoId) {
        return FrequencyFromGeoValue(profile.ReadString(u"Locale", GeoIniKey(geoId), 32));
    };
    for (int sixty : {0xf4, 0x27, 0x20, 0x86, 0xcd}) EXPECT_EQ(hertzOf(sixty), 60) << std::hex << sixty;
    for (int fifty : {0x5e, 0xf2, 0x2d, 0x7a}) EXPECT_EQ(hertzOf(fifty), 50) << std::hex << fifty;
}

}  // namespace
