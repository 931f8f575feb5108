// The fit rule on a 1024 x 768 screen, worked by hand.
#include "FitToScreen.h"

#include <gtest/gtest.h>

using namespace slideshow;

namespace {

FittedRect Fit(int w, int h, int W = 1024, int H = 768) {
    FittedRect r{-1, -1, -1, -1};
    EXPECT_EQ(1, FitToScreen(w, h, &r, W, H)) << w << "x" << h;
    return r;
}

}  // namespace

TEST(FitToScreen, SmallerBothWaysStaysUnscaledAndCentred) {
    EXPECT_EQ((FittedRect{192, 144, 640, 480}), Fit(640, 480));
    EXPECT_EQ((FittedRect{272, 64, 480, 640}), Fit(480, 640));
    EXPECT_EQ((FittedRect{12, 284, 1000, 200}), Fit(1000, 200));
    // Odd margins halve toward zero: 703 / 2 and 527 / 2.
    EXPECT_EQ((FittedRect{351, 263, 321, 241}), Fit(321, 241));
}

TEST(FitToScreen, ScreenSizeOrLargerOneWayIsScaled) {
    // Exactly the screen: the 4:3 picture fills it.
    EXPECT_EQ((FittedRect{0, 0, 1024, 768}), Fit(1024, 768));
    EXPECT_EQ((FittedRect{0, 0, 1024, 768}), Fit(1280, 960));
    // Wider than the screen only: fills the width, 4000 / 1000 = 4 -> 256 high.
    EXPECT_EQ((FittedRect{0, 256, 1024, 256}), Fit(4000, 1000));
    // Taller only: 500 x 1000 fills the height, 768 * 0.5 = 384 wide.
    EXPECT_EQ((FittedRect{320, 0, 384, 768}), Fit(500, 1000));
    // Exactly as wide, lower: scaled branch, which keeps it at 1024 x 300.
    EXPECT_EQ((FittedRect{0, 234, 1024, 300}), Fit(1024, 300));
    // 1000 x 800 (5:4) fills the height: 768 * 1.25 = 960 wide, x 32.
    EXPECT_EQ((FittedRect{32, 0, 960, 768}), Fit(1000, 800));
    // Truncation: 2000 x 3 -> 1024 / 666.67 = 1.536 -> 1 high, y 767 / 2 = 383.
    EXPECT_EQ((FittedRect{0, 383, 1024, 1}), Fit(2000, 3));
}

TEST(FitToScreen, RefusesWhatIsNoPicture) {
    FittedRect r;
    EXPECT_EQ(0, FitToScreen(0, 480, &r, 1024, 768));
    EXPECT_EQ(0, FitToScreen(640, 0, &r, 1024, 768));
    EXPECT_EQ(0, FitToScreen(640, 480, nullptr, 1024, 768));
    EXPECT_EQ(0, FitToScreen(-5, 480, &r, 1024, 768));
    EXPECT_EQ(0, FitToScreen(640, 480, &r, 0, 768));
}
