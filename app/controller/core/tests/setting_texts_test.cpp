#include <gtest/gtest.h>

#include <set>
#include <string>

#include "ButtonKeys.h"
#include "ItemPictures.h"
#include "SettingTexts.h"
#include "TestPorts.h"

using namespace vimbrel::controller;
using vimbrel::controller::test::CFixedClock;
using vimbrel::controller::test::CKeyEchoLanguage;

namespace {

TEST(SettingTexts, WordsGoThroughTheirLanguageKeys) {
    CKeyEchoLanguage language;
    CFixedClock clock;
    CSettingTexts texts(language, clock);
    EXPECT_EQ(texts.GetSettingText(u"Flash"), u"[IDS_STG_FLASH]");
    EXPECT_EQ(texts.GetSettingText(u"fLASH"), u"[IDS_STG_FLASH]");
    EXPECT_EQ(texts.GetSettingText(u"CS_1"), u"[IDS_STG_CONTSHOOTOFF]");
    EXPECT_EQ(texts.GetSettingText(u"VFT_WMV"), u"[IDS_STG_VIDEOFILETYPEWMV]");
    EXPECT_EQ(texts.GetSettingText(u"WB_Tungsten"), u"[IDS_STG_IDS_STG_WHITEBALANCE2]");
    EXPECT_EQ(texts.GetSettingText(u"WB_Auto"), u"[IDS_STG_IDS_STG_WHITEBALANCEAUTO]");
    EXPECT_EQ(texts.GetSettingText(u"pen2"), u"[IDS_STG_PENTYPE2]");
    EXPECT_EQ(texts.GetSettingText(u"Advanced Settings"), u"[IDS_STG_ADVANCEDSETTING]");
    EXPECT_EQ(texts.GetSettingText(u"Face"), u"");
    EXPECT_EQ(texts.GetSettingText(u""), u"");
    EXPECT_EQ(texts.GetSettingText(u"Flash "), u"");
}

TEST(SettingTexts, DateWordsFollowTheClockOnEveryCall) {
    CKeyEchoLanguage language;
    CFixedClock clock;
    CSettingTexts texts(language, clock);
    EXPECT_EQ(texts.GetSettingText(u"MMDDYYYY"), u"07/04/2026");
    EXPECT_EQ(texts.GetSettingText(u"MMDD"), u"07/04");
    EXPECT_EQ(texts.GetSettingText(u"HHMMMMDD"), u"09:05 07/04");
    clock.now = LocalTime{2031, 12, 25, 23, 59};
    EXPECT_EQ(texts.GetSettingText(u"mmddyyyy"), u"12/25/2031");
    EXPECT_EQ(texts.GetSettingText(u"HHMMMMDD"), u"23:59 12/25");
    clock.now = LocalTime{2000, 1, 2, 0, 0};
    EXPECT_EQ(texts.GetSettingText(u"HHMMMMDD"), u"00:00 01/02");
}

TEST(ButtonKeys, ColoursAreHeldAsBgr) {
    EXPECT_EQ(KeyColour(0x000032), 0x320000u);
    EXPECT_EQ(KeyColour(0x123456), 0x563412u);
    EXPECT_EQ(kButtonKeys[0], 0x320000u);   // minimize, 000032
    EXPECT_EQ(kButtonKeys[5], 0x003200u);   // capture image, 003200
    EXPECT_EQ(kButtonKeys[23], 0x00C800u);  // playback volume, 00C800
    EXPECT_EQ(std::set<std::uint32_t>(kButtonKeys.begin(), kButtonKeys.end()).size(), kButtonKeyCount);
}

TEST(ButtonKeys, TipsByKeyColour) {
    EXPECT_EQ(std::u16string(ButtonTipKey(KeyColour(0x000032))), u"IDS_TIP_MINIMIZE");
    EXPECT_EQ(std::u16string(ButtonTipKey(KeyColour(0x000064))), u"IDS_TIP_CLOSE");
    EXPECT_EQ(std::u16string(ButtonTipKey(KeyColour(0x003200))), u"IDS_TIP_CAPIMAGE");
    EXPECT_EQ(std::u16string(ButtonTipKey(KeyColour(0x009664))), u"IDS_TIP_STARTMONITOR");
    EXPECT_EQ(std::u16string(ButtonTipKey(KeyColour(0x0096FA))), u"IDS_TIP_SEARCH");
    // Microphone and playback volume share a tip.
    EXPECT_EQ(std::u16string(ButtonTipKey(KeyColour(0x0032FA))), u"IDS_TIP_VOLUME");
    EXPECT_EQ(std::u16string(ButtonTipKey(KeyColour(0x00C800))), u"IDS_TIP_VOLUME");
    // The RRGGBB number itself is another colour.
    EXPECT_EQ(ButtonTipKey(0x000064), nullptr);
    EXPECT_EQ(ButtonTipKey(0xDCDCDC), nullptr);
    EXPECT_EQ(std::u16string(kUnknownButtonTip), u"Unkown");
}

TEST(ItemPictures, ColumnsBySettingId) {
    // Both resolution items share column 4; ids without a picture take 0.
    EXPECT_EQ(ItemImageIndex(0x103), 4);
    EXPECT_EQ(ItemImageIndex(0x104), 4);
    EXPECT_EQ(ItemImageIndex(0x1400), 26);
    EXPECT_EQ(ItemImageIndex(0x999), 0);
    EXPECT_EQ(ItemImageIndex(-1), 0);
}

}  // namespace
