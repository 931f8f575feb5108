#include <gtest/gtest.h>

#include <utility>

#include "TestPicture.h"
#include "effects/NeighbourhoodEffects.h"

// Effects that read neighbouring pixels: small grids whose every expected
// value was worked out by hand, including the picture's edges.
namespace vimbrel::browser::testing {
namespace {

TEST(Blur, EvenRowsTakeTheMeanOfUpToNineteenColumnsOddRowsStay) {
    // Blue 10 x column, green 255 in column 0 only, red 7.
    CTestPicture picture(12, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 12; ++x) picture.Set(x, y, Rgb(7, x == 0 ? 255 : 0, 10 * x, y));
    const CTestPicture before = picture;
    ASSERT_TRUE(picture.Run(10));
    for (int y : {0, 2}) {
        EXPECT_EQ(picture.At(0, y), Rgb(7, 25, 45, y));  // columns 0..9: 450 / 10, 255 / 10
        EXPECT_EQ(picture.At(2, y), Rgb(7, 21, 55, y));  // columns 0..11: 660 / 12, 255 / 12
        EXPECT_EQ(picture.At(10, y), Rgb(7, 0, 60, y));  // columns 1..11: 650 / 11
        EXPECT_EQ(picture.At(11, y), Rgb(7, 0, 65, y));  // columns 2..11: 650 / 10
    }
    for (int x = 0; x < 12; ++x) EXPECT_EQ(picture.At(x, 1), before.At(x, 1));
}

TEST(Blur, ReachIsNineColumnsEachSide) {
    CTestPicture picture(25, 1);
    picture.Set(0, 0, Rgb(0, 0, 255));
    ASSERT_TRUE(picture.Run(10));
    EXPECT_EQ(picture.At(0, 0).b, 25);  // columns 0..9
    EXPECT_EQ(picture.At(9, 0).b, 13);  // columns 0..18: 255 / 19
    EXPECT_EQ(picture.At(10, 0).b, 0);  // column 0 has left the window
}

TEST(Sharpen, UsesTheUnprocessedRightAndNextRowNeighbours) {
    // Buffer row 0 (bottom) 100 80 60, row 1 40 50 70, gray in all channels.
    CTestPicture picture(3, 2);
    picture.SetRow(0, {GrayPixel(100, 1), GrayPixel(80, 2), GrayPixel(60, 3)});
    picture.SetRow(1, {GrayPixel(40, 4), GrayPixel(50, 5), GrayPixel(70, 6)});
    ASSERT_TRUE(picture.Run(11));
    EXPECT_EQ(picture.At(0, 0), GrayPixel(180, 1));  // 300 - 40 - 80
    EXPECT_EQ(picture.At(1, 0), GrayPixel(130, 2));  // 240 - 50 - 60
    EXPECT_EQ(picture.At(2, 0), GrayPixel(50, 3));   // 120 - 70
    EXPECT_EQ(picture.At(0, 1), GrayPixel(30, 4));   // 80 - 50
    EXPECT_EQ(picture.At(1, 1), GrayPixel(30, 5));   // 100 - 70
    EXPECT_EQ(picture.At(2, 1), GrayPixel(70, 6));   // no neighbour: stays
}

TEST(Sharpen, ClampsPerChannel) {
    CTestPicture picture(2, 2);
    picture.SetRow(0, {Rgb(200, 10, 100), Rgb(10, 200, 100)});
    picture.SetRow(1, {Rgb(10, 10, 100), Rgb(0, 0, 0)});
    ASSERT_TRUE(picture.Run(11));
    EXPECT_EQ(picture.At(0, 0), Rgb(255, 0, 100));   // 580, -180, 100
    EXPECT_EQ(picture.At(1, 0), Rgb(20, 255, 200));  // 2v - 0
    EXPECT_EQ(picture.At(0, 1), Rgb(20, 20, 200));   // 2v - 0
}

TEST(Emboss, DifferenceFromTheLeftNeighbourAroundMidGray) {
    CTestPicture picture(3, 3);
    picture.SetRow(0, {GrayPixel(0, 1), GrayPixel(255, 2), GrayPixel(0, 3)});
    picture.SetRow(1, {GrayPixel(100), GrayPixel(110), GrayPixel(105)});
    picture.SetRow(2, {Rgb(10, 200, 30), Rgb(10, 200, 30), Rgb(10, 200, 30)});
    ASSERT_TRUE(picture.Run(16));
    EXPECT_EQ(picture.At(0, 0), GrayPixel(125, 1));
    EXPECT_EQ(picture.At(1, 0), GrayPixel(250, 2));  // 3 x 255 limited to 125
    EXPECT_EQ(picture.At(2, 0), GrayPixel(1, 3));    // -765 limited to -124
    EXPECT_EQ(picture.At(0, 1), GrayPixel(125));
    EXPECT_EQ(picture.At(1, 1), GrayPixel(155));  // +30 against the unprocessed 100
    EXPECT_EQ(picture.At(2, 1), GrayPixel(110));  // -15 against the unprocessed 110
    for (int x = 0; x < 3; ++x) EXPECT_EQ(picture.At(x, 2), GrayPixel(125));
}

TEST(Mosaic, BlockSizeFollowsThePictureSize) {
    const std::pair<std::pair<int, int>, int> cases[] = {
        {{200, 150}, 3},   {{201, 150}, 6},  {{200, 151}, 6},  {{400, 300}, 6},  {{401, 300}, 12},
        {{400, 301}, 12},  {{640, 480}, 12}, {{800, 600}, 12}, {{801, 600}, 24}, {{800, 601}, 24},
        {{1024, 768}, 24}, {{1, 1}, 3},      {{10, 2000}, 24},
    };
    for (const auto& [size, block] : cases)
        EXPECT_EQ(MosaicBlockSize(size.first, size.second), block) << size.first << " x " << size.second;
}

TEST(Mosaic, BlocksStartAtTheBottomLeftAndTheLastHoldsTheRest) {
    // 4 x 4 with blocks of 3: blue 10 x + y, green 255 at (0, 0) only.
    CTestPicture picture(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) picture.Set(x, y, Rgb(9, x == 0 && y == 0 ? 255 : 0, 10 * x + y, x + 4 * y));
    ASSERT_TRUE(picture.Run(17));
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            const int blue = x < 3 ? (y < 3 ? 11 : 13) : (y < 3 ? 31 : 33);  // 99 / 9, 39 / 3, 93 / 3, 33
            const int green = x < 3 && y < 3 ? 28 : 0;                       // 255 / 9
            EXPECT_EQ(picture.At(x, y), Rgb(9, green, blue, x + 4 * y)) << x << "," << y;
        }
    }
}

TEST(SelectiveSmoothing, OnlyChannelsCloseToTheirNeighbourMeanMove) {
    // Threshold 15: blue 110 among 100s moves (|100 - 110| = 10), green 115
    // does not (exactly 15), red 14 among one 7 and seven 0s moves to 7 / 8 = 0.
    CTestPicture picture(3, 3, Rgb(0, 100, 100, 8));
    picture.Set(1, 1, Rgb(14, 115, 110, 8));
    picture.Set(0, 2, Rgb(7, 100, 100, 8));
    const CTestPicture before = picture;
    ASSERT_TRUE(picture.Run(26));
    EXPECT_EQ(picture.At(1, 1), Rgb(0, 115, 100, 8));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            if (x != 1 || y != 1) {
                EXPECT_EQ(picture.At(x, y), before.At(x, y)) << "border " << x << "," << y;
            }
}

TEST(SelectiveSmoothing, NeighboursAreReadUnprocessed) {
    // (1,1) blue 110 next to (2,1) blue 113, all else 100. (1,1): 813 / 8 = 101.
    // (2,1): 810 / 8 = 101 from the unprocessed 110; from the new 101 it
    // would be 100.
    CTestPicture picture(4, 3, GrayPixel(100));
    picture.Set(1, 1, Rgb(100, 100, 110));
    picture.Set(2, 1, Rgb(100, 100, 113));
    ASSERT_TRUE(picture.Run(26));
    EXPECT_EQ(picture.At(1, 1), Rgb(100, 100, 101));
    EXPECT_EQ(picture.At(2, 1), Rgb(100, 100, 101));
}

TEST(EdgeDetect, OneColourAndTinyPicturesAreBlack) {
    for (auto [w, h] : {std::pair{5, 4}, std::pair{1, 1}, std::pair{2, 7}, std::pair{9, 2}}) {
        CTestPicture picture(w, h, Rgb(200, 30, 90, 4));
        ASSERT_TRUE(picture.Run(18));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) ASSERT_EQ(picture.At(x, y), GrayPixel(0, 4)) << w << "x" << h;
    }
}

TEST(EdgeDetect, StrongStepSaturatesBorderStaysBlack) {
    // Columns 0-1 black, 2-3 gray 200 (coarse gray 50 + 100 + 25 = 175). The
    // step is too steep for the smoothing; both interior pixels see
    // gx = 2 x 175 + 175 + 175 = 700.
    CTestPicture picture(4, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 2; x < 4; ++x) picture.Set(x, y, GrayPixel(200));
    ASSERT_TRUE(picture.Run(18));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(picture.At(x, y).g, y == 1 && (x == 1 || x == 2) ? 255 : 0) << x << "," << y;
}

TEST(EdgeDetect, SmoothsFirstThenStretchesTheStrongestEdgeToWhite) {
    // Only (3,0) is gray 16 (coarse 4 + 8 + 2 = 14). Smoothing lifts the
    // interior (2,1) to 16 / 8 = 2 (coarse 1). Then (1,1) sees gx = 2 x 1,
    // gy = 0 and (2,1) sees gx = gy = 14; the largest 28 becomes 255 and
    // 2 becomes 510 / 28 = 18.
    CTestPicture picture(4, 3);
    picture.Set(3, 0, GrayPixel(16));
    ASSERT_TRUE(picture.Run(18));
    EXPECT_EQ(picture.At(1, 1), GrayPixel(18, 0xA5));
    EXPECT_EQ(picture.At(2, 1), GrayPixel(255, 0xA5));
    EXPECT_EQ(picture.At(3, 0), GrayPixel(0, 0xA5));
}

TEST(OilPainting, TiesGoToTheGrayMetFirst) {
    // One row: coarse grays 10, 25, 25, 10. Every window holds the whole row;
    // 10 and 25 both count 2 and 10 comes first, so every pixel takes the mean
    // of (40, 0, 0) and (0, 20, 0).
    CTestPicture row(4, 1);
    row.SetRow(0, {Rgb(40, 0, 0, 1), Rgb(0, 0, 200, 2), Rgb(0, 0, 200, 3), Rgb(0, 20, 0, 4)});
    ASSERT_TRUE(row.Run(21));
    for (int x = 0; x < 4; ++x) EXPECT_EQ(row.At(x, 0), Rgb(20, 10, 0, x + 1));

    // One column: buffer row 0 comes before row 1 in the window.
    CTestPicture column(1, 2);
    column.Set(0, 0, Rgb(0, 0, 200, 5));
    column.Set(0, 1, Rgb(40, 0, 0, 6));
    ASSERT_TRUE(column.Run(21));
    EXPECT_EQ(column.At(0, 0), Rgb(0, 0, 200, 5));
    EXPECT_EQ(column.At(0, 1), Rgb(0, 0, 200, 6));
}

TEST(OilPainting, WindowReachesThreePixelsEachWay) {
    // Coarse grays A 10, B 87, C 25 along one row: A A B B C C A C.
    // Pixel 3 sees columns 0..6 (A three times) and takes A; with a reach of
    // 2 it would see B and C twice each and take B. Pixel 4 sees 1..7 (C
    // three times); with a reach of 4 the first A would tie C and win.
    const Bgrx a = Rgb(40, 0, 0), b = GrayPixel(100), c = Rgb(0, 0, 200);
    CTestPicture picture(8, 1);
    picture.SetRow(0, {a, a, b, b, c, c, a, c});
    ASSERT_TRUE(picture.Run(21));
    EXPECT_EQ(picture.At(3, 0), a);
    EXPECT_EQ(picture.At(4, 0), c);
    EXPECT_EQ(picture.At(0, 0), a);  // columns 0..3: A and B twice each
}

}  // namespace
}  // namespace vimbrel::browser::testing
