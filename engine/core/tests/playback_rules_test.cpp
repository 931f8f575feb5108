#include "engine/core/PlaybackRules.h"
#include "engine/core/PlaybackVolume.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace camera {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

long RendererValue(double volume) {
    long value = 12345;
    EXPECT_TRUE(RendererVolumeFor(volume, &value)) << "volume " << volume;
    return value;
}

double VolumeOf(long rendererValue) {
    double volume = -99.0;
    EXPECT_TRUE(PlaybackVolumeFor(rendererValue, &volume)) << "renderer value " << rendererValue;
    return volume;
}

TEST(PlaybackVolume, TheFourDocumentedPointsMapToTheRenderer) {
    EXPECT_EQ(-1L, RendererValue(1.0));
    EXPECT_EQ(-10L, RendererValue(0.75));
    EXPECT_EQ(-100L, RendererValue(0.5));
    EXPECT_EQ(-1000L, RendererValue(0.25));
    EXPECT_EQ(-10000L, RendererValue(0.0));
}

TEST(PlaybackVolume, TheAttenuationIsTruncatedNotRounded) {
    // 10^0.4 = 2.51..., 10^1.6 = 39.81..., 10^3.6 = 3981.07...
    EXPECT_EQ(-2L, RendererValue(0.9));
    EXPECT_EQ(-39L, RendererValue(0.6));
    EXPECT_EQ(-3981L, RendererValue(0.1));
}

TEST(PlaybackVolume, AboveOneIsTheRenderersLoudest) {
    EXPECT_EQ(0L, RendererValue(1.5));
    EXPECT_EQ(0L, RendererValue(1e300));
}

TEST(PlaybackVolume, ValuesWithoutARendererValueAreRefusedAndLeaveTheOutputAlone) {
    for (double bad : {kNaN, kInf, -kInf, -0.25, -1.0, -1e300}) {
        long value = 777;
        EXPECT_FALSE(RendererVolumeFor(bad, &value)) << "volume " << bad;
        EXPECT_EQ(777L, value);
    }
    EXPECT_FALSE(RendererVolumeFor(0.5, nullptr));
}

TEST(PlaybackVolume, ReadingBackInvertsTheMapping) {
    EXPECT_DOUBLE_EQ(1.0, VolumeOf(-1));
    EXPECT_DOUBLE_EQ(0.75, VolumeOf(-10));
    EXPECT_DOUBLE_EQ(0.5, VolumeOf(-100));
    EXPECT_DOUBLE_EQ(0.25, VolumeOf(-1000));
    EXPECT_DOUBLE_EQ(0.0, VolumeOf(-10000));
    // log10(2) = 0.30103: 1 - 0.30103 / 4.
    EXPECT_NEAR(0.924743, VolumeOf(-2), 1e-6);
    // Quieter than silence still reads as a finite number, just below 0.
    EXPECT_NEAR(-0.0752575, VolumeOf(-20000), 1e-6);
}

TEST(PlaybackVolume, RendererZeroReadsAsLoudestAndPositiveValuesAreRefused) {
    EXPECT_DOUBLE_EQ(1.0, VolumeOf(0));
    double volume = 0.3;
    EXPECT_FALSE(PlaybackVolumeFor(1, &volume));
    EXPECT_DOUBLE_EQ(0.3, volume);
    EXPECT_FALSE(PlaybackVolumeFor(-10, nullptr));
}

TEST(WindowsMediaFile, OnlyTheTextAfterTheLastDotCountsInAnyLetterCase) {
    EXPECT_TRUE(IsWindowsMediaFile(u"clip.wmv"));
    EXPECT_TRUE(IsWindowsMediaFile(u"C:\\Movies\\CLIP.WMV"));
    EXPECT_TRUE(IsWindowsMediaFile(u"song.Wma"));
    EXPECT_TRUE(IsWindowsMediaFile(u"talk.aSf"));
    EXPECT_TRUE(IsWindowsMediaFile(u".wmv"));

    EXPECT_FALSE(IsWindowsMediaFile(u"clip.avi"));
    EXPECT_FALSE(IsWindowsMediaFile(u"clip.wmv.avi"));
    EXPECT_FALSE(IsWindowsMediaFile(u"C:\\old.wmv\\clip"));
    EXPECT_FALSE(IsWindowsMediaFile(u"clip.wmvx"));
    EXPECT_FALSE(IsWindowsMediaFile(u"clip.wm"));
    EXPECT_FALSE(IsWindowsMediaFile(u"clip."));
    EXPECT_FALSE(IsWindowsMediaFile(u"wmv"));
    EXPECT_FALSE(IsWindowsMediaFile(u""));
}

TEST(PlaybackDuration, SecondsBecomeTruncatedMediaUnits) {
    int64_t duration = -1;
    ASSERT_TRUE(DurationFromSeconds(10.0, &duration));
    EXPECT_EQ(100000000, duration);
    ASSERT_TRUE(DurationFromSeconds(2.5, &duration));
    EXPECT_EQ(25000000, duration);
    ASSERT_TRUE(DurationFromSeconds(1.23456789, &duration));
    EXPECT_EQ(12345678, duration);
    ASSERT_TRUE(DurationFromSeconds(0.0, &duration));
    EXPECT_EQ(0, duration);
}

TEST(PlaybackDuration, LengthsThatCannotBePositionedAreRefused) {
    for (double bad : {kNaN, kInf, -kInf, -0.5, 1e13}) {
        int64_t duration = 42;
        EXPECT_FALSE(DurationFromSeconds(bad, &duration)) << "seconds " << bad;
        EXPECT_EQ(42, duration);
    }
}

TEST(SeekPosition, PercentOfTheDurationIsNotLimited) {
    int64_t position = -1;
    ASSERT_TRUE(SeekPositionForPercent(50.0f, 100000000, &position));
    EXPECT_EQ(50000000, position);
    ASSERT_TRUE(SeekPositionForPercent(0.0f, 100000000, &position));
    EXPECT_EQ(0, position);
    ASSERT_TRUE(SeekPositionForPercent(150.0f, 100000000, &position));
    EXPECT_EQ(150000000, position);
    ASSERT_TRUE(SeekPositionForPercent(-10.0f, 100000000, &position));
    EXPECT_EQ(-10000000, position);
    // 33.3f is 33.2999992370605...: 33,299,999.237 media units.
    ASSERT_TRUE(SeekPositionForPercent(33.3f, 100000000, &position));
    EXPECT_EQ(33299999, position);
}

TEST(SeekPosition, NonNumbersAndOverflowingTargetsAreRefused) {
    const float nanPercent = std::numeric_limits<float>::quiet_NaN();
    const float infPercent = std::numeric_limits<float>::infinity();
    for (float bad : {nanPercent, infPercent, -infPercent, 1e30f}) {
        int64_t position = 9;
        EXPECT_FALSE(SeekPositionForPercent(bad, 100000000, &position)) << "percent " << bad;
        EXPECT_EQ(9, position);
    }
}

}  // namespace
}  // namespace camera
