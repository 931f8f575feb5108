#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "TestPicture.h"

// Effects that map each pixel on its own, on one- and few-pixel pictures
// with expected colours worked out from the formulas by hand.
namespace vimbrel::browser::testing {
namespace {

Bgrx After(int effectId, Bgrx in) {
    CTestPicture picture(1, 1, in);
    EXPECT_TRUE(picture.Run(effectId)) << "effect " << effectId;
    return picture.At(0, 0);
}

TEST(PointEffects, ColourChannelsAreClearedAndTheFourthByteKept) {
    const Bgrx in = Rgb(30, 20, 10, 77);
    EXPECT_EQ(After(1, in), Rgb(30, 0, 0, 77));   // red
    EXPECT_EQ(After(2, in), Rgb(0, 20, 0, 77));   // green
    EXPECT_EQ(After(3, in), Rgb(0, 0, 10, 77));   // blue
    EXPECT_EQ(After(4, in), Rgb(0, 20, 10, 77));  // cyan: no red
    EXPECT_EQ(After(5, in), Rgb(30, 20, 0, 77));  // yellow: no blue
    EXPECT_EQ(After(6, in), Rgb(30, 0, 10, 77));  // magenta: no green
}

TEST(PointEffects, NegativeDarkenAndPosterize) {
    EXPECT_EQ(After(7, Rgb(30, 20, 10, 5)), Rgb(225, 235, 245, 5));
    EXPECT_EQ(After(8, Rgb(255, 1, 128, 5)), Rgb(127, 0, 64, 5));
    EXPECT_EQ(After(13, Rgb(0x1F, 0x20, 0xFF, 5)), Rgb(0x00, 0x20, 0xE0, 5));

    // The negative of the negative is the picture itself.
    CTestPicture picture(17, 5);
    picture.FillNoise(3);
    const auto original = picture.Bytes();
    ASSERT_TRUE(picture.Run(7));
    EXPECT_NE(picture.Bytes(), original);
    ASSERT_TRUE(picture.Run(7));
    EXPECT_EQ(picture.Bytes(), original);
}

TEST(PointEffects, GrayWeighsGreenMost) {
    // (30 x 255) / 100 = 76.5, truncated.
    EXPECT_EQ(After(9, Rgb(255, 0, 0)), GrayPixel(76));
    // (59 x 20 + 30 x 30 + 11 x 10) / 100 = 2190 / 100.
    EXPECT_EQ(After(9, Rgb(30, 20, 10)), GrayPixel(21));
    EXPECT_EQ(After(9, Rgb(0, 255, 0)), GrayPixel(150));
}

TEST(PointEffects, SepiaTone) {
    EXPECT_EQ(After(12, GrayPixel(0)), Rgb(49, 0, 0));
    EXPECT_EQ(After(12, GrayPixel(255)), Rgb(255, 239, 199));
    // f = 128: red 128 + 6223 / 255, green 128 - 2048 / 255, blue 128 - 7168 / 255.
    EXPECT_EQ(After(12, GrayPixel(128)), Rgb(152, 120, 100));
    // f = (587 x 200) / 1000 = 117: red 117 + 6762 / 255, green 117 - 1872 / 255,
    // blue 117 - 6552 / 255.
    EXPECT_EQ(After(12, Rgb(0, 200, 0)), Rgb(143, 110, 92));
}

TEST(PointEffects, ClearTextTruncatesEveryTermTowardZero) {
    // Red: Y 76, K 24, V 125, U -48 -> red 24 + 175; the rest below 0.
    EXPECT_EQ(After(14, Rgb(255, 0, 0)), Rgb(199, 0, 0));
    // Blue: Y 25, K 0, V -17, U 147 -> blue 1323 / 5 = 264 clamps.
    EXPECT_EQ(After(14, Rgb(0, 0, 255)), Rgb(0, 0, 255));
    // Green: Y 153, K 178, V -1071 / 10 = -107, U -2448 / 25 = -97;
    // red 178 - 749 / 5 = 29, green 178 + 32 + 74 clamps, blue 178 - 873 / 5 = 4.
    // Rounding down instead of toward zero would give red 26 and blue 3.
    EXPECT_EQ(After(14, Rgb(0, 255, 0)), Rgb(29, 255, 4));
    EXPECT_EQ(After(14, GrayPixel(128)), GrayPixel(128));
    // Dark gray 40: K = clamp(80 - 128) = 0.
    EXPECT_EQ(After(14, GrayPixel(40)), GrayPixel(0));
}

TEST(PointEffects, EveryPixelOfEveryRowIsMapped) {
    CTestPicture picture(3, 2, Rgb(200, 100, 50, 9));
    ASSERT_TRUE(picture.Run(9));
    // (59 x 100 + 30 x 200 + 11 x 50) / 100 = 12450 / 100.
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(picture.At(x, y), GrayPixel(124, 9)) << x << "," << y;
}

}  // namespace
}  // namespace vimbrel::browser::testing
