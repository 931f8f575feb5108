// The film strip's timing, the featured picture's fade and zoom, the
// incoming columns and the date text, worked out by hand.
#include "FilmStripMath.h"

#include <gtest/gtest.h>

using namespace slideshow;

TEST(FilmStripTiming, PhaseTruncatesWithTheSinglePrecisionFactor) {
    EXPECT_EQ(0, FilmPhase(0));
    EXPECT_EQ(0, FilmPhase(45));  // 0.99
    EXPECT_EQ(1, FilmPhase(46));  // 1.012
    // 0.0001f is a little below 1/10000: the exact halfway mark falls short.
    EXPECT_EQ(109, FilmPhase(5000));
    EXPECT_EQ(110, FilmPhase(5001));
    EXPECT_EQ(218, FilmPhase(9954));
    EXPECT_EQ(219, FilmPhase(9955));
    // The cycle's end still counts as the last phase, not 220.
    EXPECT_EQ(219, FilmPhase(10000));
    // A whole cycle moves the strip 219 x 2 = 438 pixels.
    EXPECT_EQ(438, FilmPhase(kFilmCycleMs) * kFilmPixelsPerPhase);
}

TEST(FilmStripTiming, FeaturedPictureFadesInHoldsAndFadesOut) {
    const int expectedIn[10] = {20, 40, 80, 130, 180, 210, 220, 230, 240, 250};
    for (int phase = 0; phase < 10; ++phase) EXPECT_EQ(expectedIn[phase], FeaturedAlpha(phase)) << phase;
    EXPECT_EQ(255, FeaturedAlpha(10));
    EXPECT_EQ(255, FeaturedAlpha(100));
    EXPECT_EQ(255, FeaturedAlpha(149));
    const int expectedOut[10] = {250, 240, 230, 220, 210, 180, 130, 80, 20, 0};
    for (int phase = 150; phase < 160; ++phase) EXPECT_EQ(expectedOut[phase - 150], FeaturedAlpha(phase)) << phase;
    EXPECT_EQ(0, FeaturedAlpha(160));
    EXPECT_EQ(-1, FeaturedAlpha(161));  // no blend at all from here on
    EXPECT_EQ(-1, FeaturedAlpha(219));
}

TEST(FilmStripTiming, FeaturedPictureGrowsFromItsFrameToTheScreen) {
    const FittedRect small{22, 63, 400, 300};
    const FittedRect large{0, 0, 1024, 768};
    EXPECT_EQ(small, FeaturedRectAt(0, small, large));
    // (5 x large + 10 x small) / 15 for each member.
    EXPECT_EQ((FittedRect{14, 42, 608, 456}), FeaturedRectAt(5, small, large));
    // Truncated: 176/15, 504/15, 10368/15, 7776/15.
    EXPECT_EQ((FittedRect{11, 33, 691, 518}), FeaturedRectAt(7, small, large));
    EXPECT_EQ(large, FeaturedRectAt(15, small, large));
    EXPECT_EQ(large, FeaturedRectAt(16, small, large));
    EXPECT_EQ(large, FeaturedRectAt(219, small, large));
}

TEST(FilmStripLayout, IncomingFrameEntersRightSideFirst) {
    // The incoming frame sits at x = 1024 - 440 = 584 of the composition
    // buffer; the first 2 columns to enter are its last two, 1022 and 1023.
    EXPECT_EQ(1022, IncomingColumnsFrom(1024, 0, 2));
    EXPECT_EQ(1018, IncomingColumnsFrom(1024, 2, 4));
    // After 436 pixels the last step takes columns 586..587, still inside
    // the frame (it starts at 584).
    EXPECT_EQ(586, IncomingColumnsFrom(1024, 436, 2));
    // Frame parts: the picture box ends 22 px before the frame's right edge.
    EXPECT_EQ(440 - 18, kFilmPictureBox.x + kFilmPictureBox.width);
}

TEST(FilmStripLayout, DateHasNoLeadingZeros) {
    EXPECT_EQ(u"2006/1/5", FilmDateText(2006, 1, 5));
    EXPECT_EQ(u"2005/12/31", FilmDateText(2005, 12, 31));
}
