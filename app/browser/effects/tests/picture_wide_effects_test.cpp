#include <gtest/gtest.h>

#include "TestPicture.h"
#include "effects/PictureWideEffects.h"

// Black-and-white and colour balance, which first measure the whole picture.
namespace vimbrel::browser::testing {
namespace {

TEST(BlackWhite, OnlyGraysAboveTheMeanTurnWhite) {
    CTestPicture one(5, 3, Rgb(90, 140, 200, 3));
    ASSERT_TRUE(one.Run(15));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(one.At(x, y), GrayPixel(0, 3)) << "a pixel equal to the mean stays black";

    // Grays 0, 100, 200, 255: mean 138.75.
    CTestPicture four(2, 2);
    four.Set(0, 0, GrayPixel(0));
    four.Set(1, 0, GrayPixel(100));
    four.Set(0, 1, GrayPixel(200));
    four.Set(1, 1, GrayPixel(255));
    ASSERT_TRUE(four.Run(15));
    EXPECT_EQ(four.At(0, 0), GrayPixel(0));
    EXPECT_EQ(four.At(1, 0), GrayPixel(0));
    EXPECT_EQ(four.At(0, 1), GrayPixel(255));
    EXPECT_EQ(four.At(1, 1), GrayPixel(255));

    // Grays 10 and 11: the mean 10.5 is not truncated to 10.
    CTestPicture two(2, 1);
    two.SetRow(0, {GrayPixel(10), GrayPixel(11)});
    ASSERT_TRUE(two.Run(15));
    EXPECT_EQ(two.At(0, 0), GrayPixel(0));
    EXPECT_EQ(two.At(1, 0), GrayPixel(255));
}

TEST(ColourBalance, GainsFollowTheLumaOfTheMeans) {
    // L = (114 x 50 + 587 x 100 + 299 x 200) / 1000 = 124.2. Red (0.621)^1.2 =
    // 0.565 is raised to 0.6 -> 120; green 1.242^1.2 = 1.297 -> 130.2; blue
    // 2.484^1.2 = 2.98 is limited to 1.67 -> 50 x 1.67 + 0.5 = 84.
    CTestPicture uniform(4, 3, Rgb(200, 100, 50, 1));
    ASSERT_TRUE(uniform.Run(30));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(uniform.At(x, y), Rgb(120, 130, 84, 1));

    // Red only: L = 76.245, red gain 0.299^1.2 is raised to 0.6 -> 153.5.
    CTestPicture red(2, 2, Rgb(255, 0, 0));
    ASSERT_TRUE(red.Run(30));
    EXPECT_EQ(red.At(1, 1), Rgb(153, 0, 0));
}

TEST(ColourBalance, GrayPicturesStayAndEmptyChannelsDoNotDivide) {
    CTestPicture gray(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) gray.Set(x, y, GrayPixel(y * 16 + x));
    const auto before = gray.Bytes();
    ASSERT_TRUE(gray.Run(30));
    EXPECT_EQ(gray.Bytes(), before);

    CTestPicture black(3, 3);
    ASSERT_TRUE(black.Run(30));
    EXPECT_EQ(black.At(2, 2), GrayPixel(0));

    // No green at all: its gain is taken as the upper bound instead of
    // dividing by a zero mean; red and blue (L 20.65 over means of 50) get 0.6.
    CTestPicture mixed(2, 1);
    mixed.SetRow(0, {Rgb(100, 0, 0), Rgb(0, 0, 100)});
    const ColourBalanceGains gains = MeasureColourBalance(mixed.Image());
    EXPECT_FLOAT_EQ(gains.green, 1.67f);
    EXPECT_FLOAT_EQ(gains.red, 0.6f);
    EXPECT_FLOAT_EQ(gains.blue, 0.6f);
    ASSERT_TRUE(mixed.Run(30));
    EXPECT_EQ(mixed.At(0, 0), Rgb(60, 0, 0));
    EXPECT_EQ(mixed.At(1, 0), Rgb(0, 0, 60));
}

TEST(ColourBalance, TableRoundsHalfUpAndClamps) {
    const auto unit = ColourBalanceTable(1.0f);
    for (int v = 0; v < 256; ++v) EXPECT_EQ(unit[v], v);
    const auto high = ColourBalanceTable(1.67f);
    EXPECT_EQ(high[1], 2);      // 2.17
    EXPECT_EQ(high[3], 5);      // 5.51
    EXPECT_EQ(high[152], 254);  // 254.34
    EXPECT_EQ(high[153], 255);  // 256.01 clamps
    EXPECT_EQ(high[255], 255);
}

}  // namespace
}  // namespace vimbrel::browser::testing
