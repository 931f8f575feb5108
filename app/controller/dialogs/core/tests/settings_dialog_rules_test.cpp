// The rows, button places, mirror rule and frequency rule, worked by hand.
#include <gtest/gtest.h>

#include <set>

#include "SettingsDialogRules.h"

namespace vimbrel::controller {
namespace {

TEST(VideoRowsTest, EightRowsSkipProperties6And9AndIdsAreDistinct) {
    std::set<int> properties, ids;
    for (const VideoPropertyRow& row : kVideoPropertyRows) {
        properties.insert(row.property);
        ids.insert({row.labelId, row.trackbarId, row.valueId});
    }
    EXPECT_EQ(properties, (std::set<int>{0, 1, 2, 3, 4, 5, 7, 8}));
    EXPECT_EQ(ids.size(), 24u);
    EXPECT_EQ(RowOfProperty(6), nullptr);
    EXPECT_EQ(RowOfProperty(9), nullptr);
    ASSERT_NE(RowOfProperty(7), nullptr);
    EXPECT_EQ(RowOfProperty(7)->trackbarId, 1019);
    EXPECT_EQ(RowOfProperty(7)->valueId, 1035);
    EXPECT_EQ(std::u16string(RowOfProperty(8)->labelKey), u"IDS_STG_VIDEO_BACKLIGHT");
    ASSERT_NE(RowOfTrackbar(1013), nullptr);
    EXPECT_EQ(RowOfTrackbar(1013)->property, 0);
    EXPECT_EQ(RowOfTrackbar(1020)->property, 8);
    EXPECT_EQ(RowOfTrackbar(1021), nullptr);  // a label, not a trackbar
}

TEST(ButtonPlacementTest, ButtonsSitFromTheSheetsRightEdge) {
    // W 400, Default 75 wide, Advanced 120 wide: 400-120-40 = 240,
    // 400-75-120-50 = 155.
    const ButtonPlacement placed = PlaceVideoButtons(400, 75, 120);
    EXPECT_EQ(placed.advancedX, 240);
    EXPECT_EQ(placed.defaultX, 155);
    // Default ends 10 pixels before Advanced begins.
    EXPECT_EQ(placed.defaultX + 75 + 10, placed.advancedX);
    // Close keeps its right edge (300 + 75 = 375) when it grows to 90.
    EXPECT_EQ(WidenToTheLeft(300, 75, 90), 285);
    EXPECT_EQ(WidenToTheLeft(300, 75, 60), 300);
    EXPECT_EQ(WidenToTheLeft(300, 75, 75), 300);
}

TEST(MirrorRuleTest, ATurnedCameraGreysTheBoxAndSendsZero) {
    EXPECT_FALSE(DecideMirror(true, true).boxEnabled);
    EXPECT_EQ(DecideMirror(true, true).mirror, 0);
    EXPECT_TRUE(DecideMirror(false, true).boxEnabled);
    EXPECT_EQ(DecideMirror(false, true).mirror, 1);
    EXPECT_EQ(DecideMirror(false, false).mirror, 0);
}

TEST(GeoFrequencyTest, TheNumberAfterTheFirstCommaIsTheFrequency) {
    EXPECT_EQ(FrequencyFromGeoValue(u"United States,60"), 60);
    EXPECT_EQ(FrequencyFromGeoValue(u"Germany,50 Hz"), 50);
    EXPECT_EQ(FrequencyFromGeoValue(u"Japan,50/60"), 50);
    EXPECT_EQ(FrequencyFromGeoValue(u"Nowhere,55"), 55);
    EXPECT_EQ(FrequencyFromGeoValue(u"Korea, Republic of,60"), 0);  // the first comma counts
    EXPECT_EQ(FrequencyFromGeoValue(u"No comma 60"), 0);
    EXPECT_EQ(FrequencyFromGeoValue(u"Empty,"), 0);
    EXPECT_EQ(FrequencyFromGeoValue(u""), 0);
    EXPECT_EQ(FrequencyFromGeoValue(u"Huge,99999999999999"), 0);
}

TEST(GeoFrequencyTest, OnlyFiftyAndSixtyAreNamedAndKeysAreLowerHex) {
    EXPECT_EQ(FrequencyText(50), u"50 Hz");
    EXPECT_EQ(FrequencyText(60), u"60 Hz");
    EXPECT_EQ(FrequencyText(55), u"50/60 Hz");
    EXPECT_EQ(FrequencyText(0), u"50/60 Hz");
    EXPECT_EQ(GeoIniKey(244), u"f4");  // United States
    EXPECT_EQ(GeoIniKey(94), u"5e");   // Germany
    EXPECT_EQ(GeoIniKey(0), u"0");
    EXPECT_EQ(GeoIniKey(39070), u"989e");
}

}  // namespace
}  // namespace vimbrel::controller
