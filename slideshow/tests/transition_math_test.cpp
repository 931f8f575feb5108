// Blend weights, pan travel and zoom-out rectangles, worked by hand.
#include "TransitionMath.h"

#include <gtest/gtest.h>

#include <vector>

using namespace slideshow;

TEST(TransitionWeights, CrossFadeFollowsAQuarterSineToFull) {
    // trunc(sin((i + 1) * 0.05 * 1.57075) * 255) for i = 0..18, then 255 alone.
    const std::vector<int> expected = {20,  39,  59,  78,  97,  115, 133, 149, 165, 180,
                                       193, 206, 217, 227, 235, 242, 247, 251, 254, 255};
    std::vector<int> seen;
    for (int i = 0; i < kCrossFadeSteps; ++i) seen.push_back(CrossFadeAlpha(i));
    EXPECT_EQ(expected, seen);
}

TEST(TransitionWeights, PanFadeInRisesInTenths) {
    const std::vector<int> expected = {0, 25, 51, 76, 102, 127, 153, 178, 204, 229};
    std::vector<int> seen;
    for (int k = 0; k < kPanFadeInBlends; ++k) seen.push_back(PanFadeInAlpha(k));
    EXPECT_EQ(expected, seen);
}

TEST(PanView, LargePictureTravelsBySineAcrossAndSineSquaredAlong) {
    // 1000 pixels of travel each way on a 1024 x 768 screen.
    // Step 0: sin = 0.0157 -> down 15, across 1000 * 0.000247 = 0.
    PanView start = PanViewAt(0, 2024, 1768, 1024, 768);
    EXPECT_EQ(0, start.sourceX);
    EXPECT_EQ(15, start.sourceY);
    EXPECT_EQ(0, start.destX);
    EXPECT_EQ(0, start.destY);
    EXPECT_EQ(1024, start.width);
    EXPECT_EQ(768, start.height);
    EXPECT_FALSE(start.sideBands);
    EXPECT_FALSE(start.topBottomBands);
    // Step 49: sin = 0.70709 -> down 707, across 1000 * 0.49998 = 499.
    PanView middle = PanViewAt(49, 2024, 1768, 1024, 768);
    EXPECT_EQ(499, middle.sourceX);
    EXPECT_EQ(707, middle.sourceY);
    // Step 99: 1.57075 stops just short of a quarter turn, so the view ends
    // one pixel short of the far corner.
    PanView end = PanViewAt(99, 2024, 1768, 1024, 768);
    EXPECT_EQ(999, end.sourceX);
    EXPECT_EQ(999, end.sourceY);
}

TEST(PanView, SmallSidesAreCentredBetweenBlackBands) {
    PanView both = PanViewAt(30, 300, 200, 1024, 768);
    EXPECT_EQ(362, both.destX);
    EXPECT_EQ(284, both.destY);
    EXPECT_EQ(300, both.width);
    EXPECT_EQ(200, both.height);
    EXPECT_EQ(0, both.sourceX);
    EXPECT_EQ(0, both.sourceY);
    EXPECT_TRUE(both.sideBands);
    EXPECT_TRUE(both.topBottomBands);
    EXPECT_TRUE(PanHasNoTravel(300, 200, 1024, 768));

    // Narrow but tall: centred across, travelling down.
    PanView tall = PanViewAt(49, 300, 1768, 1024, 768);
    EXPECT_EQ(362, tall.destX);
    EXPECT_EQ(300, tall.width);
    EXPECT_TRUE(tall.sideBands);
    EXPECT_EQ(0, tall.destY);
    EXPECT_EQ(768, tall.height);
    EXPECT_EQ(707, tall.sourceY);
    EXPECT_FALSE(tall.topBottomBands);
    EXPECT_FALSE(PanHasNoTravel(300, 1768, 1024, 768));
    // A side exactly screen-sized is not smaller: no bands, no travel that way.
    PanView exact = PanViewAt(49, 1024, 1768, 1024, 768);
    EXPECT_FALSE(exact.sideBands);
    EXPECT_EQ(0, exact.sourceX);
}

TEST(ZoomOut, SourceMovesFromLastViewToWholePicture) {
    // Last view at (500, 300) over a 4000 x 1000 picture on 1024 x 768.
    EXPECT_EQ((FittedRect{500, 300, 1024, 768}), ZoomOutSource(0, 500, 300, 4000, 1000, 1024, 768));
    // k = 7: 500 * 13 / 20 = 325, 300 * 13 / 20 = 195,
    // (28000 + 13312) / 20 = 2065, (9984 + 7000) / 20 = 849.
    EXPECT_EQ((FittedRect{325, 195, 2065, 849}), ZoomOutSource(7, 500, 300, 4000, 1000, 1024, 768));
    EXPECT_EQ((FittedRect{250, 150, 2512, 884}), ZoomOutSource(10, 500, 300, 4000, 1000, 1024, 768));
    EXPECT_EQ((FittedRect{0, 0, 4000, 1000}), ZoomOutSource(20, 500, 300, 4000, 1000, 1024, 768));
}

TEST(ZoomOut, SourceIsClippedToThePicture) {
    // A 300 x 1768 picture on 1024 x 768: the first frame asks for 1024 wide.
    EXPECT_EQ((FittedRect{0, 999, 300, 768}), ClipToPicture(FittedRect{0, 999, 1024, 768}, 300, 1768));
    EXPECT_EQ((FittedRect{5, 6, 10, 10}), ClipToPicture(FittedRect{5, 6, 10, 10}, 300, 200));
    EXPECT_EQ((FittedRect{0, 0, 0, 0}), ClipToPicture(FittedRect{400, 0, 10, 10}, 300, 200));
}
