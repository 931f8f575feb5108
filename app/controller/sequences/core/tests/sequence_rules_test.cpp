#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "SequenceRules.h"

namespace vimbrel::controller {
namespace {

std::vector<std::pair<int, int>> Pairs(const std::vector<BlinkStep>& steps) {
    std::vector<std::pair<int, int>> out;
    for (const BlinkStep& step : steps) out.emplace_back(step.icon, step.milliseconds);
    return out;
}

TEST(SelfTimerBlink, FiveSecondsBlinkOnceForThreeSecondsThenTwiceForTwo) {
    const std::vector<std::pair<int, int>> expected = {{1, 500}, {0, 500}, {1, 500}, {0, 500}, {1, 500},
                                                       {0, 500}, {1, 250}, {0, 250}, {1, 250}, {0, 250},
                                                       {1, 250}, {0, 250}, {1, 250}, {0, 250}};
    EXPECT_EQ(Pairs(SelfTimerBlinkSteps(5)), expected);
}

TEST(SelfTimerBlink, ShortAndEmptyCountdowns) {
    EXPECT_TRUE(SelfTimerBlinkSteps(0).empty());
    EXPECT_TRUE(SelfTimerBlinkSteps(-3).empty());
    const std::vector<std::pair<int, int>> one = {{1, 250}, {0, 250}, {1, 250}, {0, 250}};
    EXPECT_EQ(Pairs(SelfTimerBlinkSteps(1)), one);
    // Ten seconds: eight slow seconds and two fast ones, 10,000 ms in all.
    int total = 0;
    for (const BlinkStep& step : SelfTimerBlinkSteps(10)) total += step.milliseconds;
    EXPECT_EQ(total, 10000);
    EXPECT_EQ(SelfTimerBlinkSteps(10).size(), 8u * 2 + 2u * 4);
}

TEST(TimerParameters, SecondsLowChoiceHighAndBurstSizes) {
    EXPECT_EQ(DecodeTimerParameter(10 + 3 * 65536).seconds, 10);
    EXPECT_EQ(DecodeTimerParameter(10 + 3 * 65536).choice, 3);
    EXPECT_EQ(DecodeTimerParameter(5 + 4 * 65536).choice, 4);
    EXPECT_EQ(DecodeTimerParameter(5).choice, 0);
    EXPECT_EQ(BurstPictureCount(0), 3);
    EXPECT_EQ(BurstPictureCount(1), 5);
    EXPECT_EQ(BurstPictureCount(2), 12);
    EXPECT_EQ(BurstPictureCount(3), 15);
    EXPECT_EQ(BurstPictureCount(4), 0);
    EXPECT_EQ(BurstPictureCount(-1), 0);
    EXPECT_EQ(BurstPictureCount(5), 0);
}

TEST(DateOverlayText, EachTypeWithLeadingZeros) {
    const ClockReading july3{2026, 7, 3, 9, 5, 41, 300};
    EXPECT_EQ(DateOverlayText(0, july3), "07/03/2026");
    EXPECT_EQ(DateOverlayText(1, july3), "07/03");
    EXPECT_EQ(DateOverlayText(2, july3), "09:05  07/03");
    const ClockReading christmas{1999, 12, 25, 23, 59, 0, 0};
    EXPECT_EQ(DateOverlayText(0, christmas), "12/25/1999");
    EXPECT_EQ(DateOverlayText(2, christmas), "23:59  12/25");
    EXPECT_FALSE(DateOverlayText(3, july3).has_value());
    EXPECT_FALSE(DateOverlayText(-1, july3).has_value());
    EXPECT_FALSE(DateOverlayText(4, july3).has_value());
}

TEST(DateOverlayClock, WaitsToTheNextWholeSecond) {
    EXPECT_EQ(MillisecondsToNextSecond({2026, 1, 1, 0, 0, 0, 0}), 1000);
    EXPECT_EQ(MillisecondsToNextSecond({2026, 1, 1, 0, 0, 0, 250}), 750);
    EXPECT_EQ(MillisecondsToNextSecond({2026, 1, 1, 0, 0, 0, 999}), 1);
    EXPECT_EQ(MillisecondsToNextSecond({2026, 1, 1, 0, 0, 0, 4000}), 1000);
}

TEST(RecordingSeconds, WholeSecondsAndNothingNegative) {
    EXPECT_EQ(WholeRecordingSeconds(12.9f), 12);
    EXPECT_EQ(WholeRecordingSeconds(0.2f), 0);
    EXPECT_EQ(WholeRecordingSeconds(-1.0f), 0);
    EXPECT_EQ(WholeRecordingSeconds(std::numeric_limits<float>::quiet_NaN()), 0);
    EXPECT_EQ(WholeRecordingSeconds(std::numeric_limits<float>::infinity()), 0);
}

TEST(BoardProduct, ContainsIgnoringAsciiCase) {
    EXPECT_TRUE(ContainsIgnoringCase(u"NB-r2tj-01", u"R2Tj"));
    EXPECT_TRUE(ContainsIgnoringCase(u"R2TJ", u"R2Tj"));
    EXPECT_FALSE(ContainsIgnoringCase(u"Base Board", u"R2Tj"));
    EXPECT_FALSE(ContainsIgnoringCase(u"R2T", u"R2Tj"));
    EXPECT_FALSE(ContainsIgnoringCase(u"R2-Tj", u"R2Tj"));
}

}  // namespace
}  // namespace vimbrel::controller
