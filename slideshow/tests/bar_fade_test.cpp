// The control bar's fade: three still seconds outside the bar hide it and
// the cursor; any movement brings both back; a mouse resting on the bar
// keeps it.
#include "BarFade.h"

#include <gtest/gtest.h>

using namespace slideshow;

namespace {

const BarRect kBar{312, 700, 712, 768};
const BarPoint kOutside{500, 10};
const BarPoint kOnBar{400, 720};

std::vector<int> Range(int from, int to, int step) {
    std::vector<int> values;
    for (int v = from; step > 0 ? v <= to : v >= to; v += step) values.push_back(v);
    return values;
}

}  // namespace

TEST(BarFade, FirstTickFadesInFromTheStartingAlpha) {
    CBarFade fade;
    EXPECT_EQ(179, fade.Alpha());
    EXPECT_TRUE(fade.CursorShown());
    const BarFadeTick tick = fade.Tick(kOutside, kBar);
    // 179 + 30 = 209, 239, then capped at 255.
    EXPECT_EQ((std::vector<int>{209, 239, 255}), tick.alphaSteps);
    EXPECT_FALSE(tick.hideCursor);
    EXPECT_FALSE(tick.showCursor);
    EXPECT_EQ(29, fade.StillCount());
}

TEST(BarFade, ThreeStillSecondsOutsideHideBarAndCursorOnce) {
    CBarFade fade;
    fade.Tick(kOutside, kBar);  // the movement: still count 29
    // Ticks 2..30 count down to 0 without any change.
    for (int tick = 2; tick <= 30; ++tick) {
        const BarFadeTick result = fade.Tick(kOutside, kBar);
        EXPECT_TRUE(result.alphaSteps.empty()) << tick;
        EXPECT_FALSE(result.hideCursor) << tick;
    }
    EXPECT_EQ(0, fade.StillCount());
    // Tick 31, 3.0 s after the movement: hide and fade 255 -> 0 by tens.
    BarFadeTick out = fade.Tick(kOutside, kBar);
    EXPECT_TRUE(out.hideCursor);
    std::vector<int> expected = Range(245, 5, -10);
    expected.push_back(0);
    EXPECT_EQ(expected, out.alphaSteps);
    EXPECT_EQ(0, fade.Alpha());
    EXPECT_FALSE(fade.CursorShown());
    // Staying still: nothing more to do, the cursor is not hidden twice.
    out = fade.Tick(kOutside, kBar);
    EXPECT_FALSE(out.hideCursor);
    EXPECT_TRUE(out.alphaSteps.empty());

    // One movement brings cursor and bar back: 30, 60 ... 240, 255.
    const BarFadeTick back = fade.Tick(BarPoint{501, 10}, kBar);
    EXPECT_TRUE(back.showCursor);
    expected = Range(30, 240, 30);
    expected.push_back(255);
    EXPECT_EQ(expected, back.alphaSteps);
    EXPECT_EQ(29, fade.StillCount());
}

TEST(BarFade, MouseRestingOnTheBarNeverFadesIt) {
    CBarFade fade;
    fade.Tick(kOnBar, kBar);
    for (int tick = 0; tick < 200; ++tick) {
        const BarFadeTick result = fade.Tick(kOnBar, kBar);
        ASSERT_FALSE(result.hideCursor);
        ASSERT_TRUE(result.alphaSteps.empty());
    }
    EXPECT_EQ(255, fade.Alpha());
    // Leaving the bar is a movement: three more seconds before the fade.
    fade.Tick(kOutside, kBar);
    for (int tick = 0; tick < 29; ++tick) ASSERT_FALSE(fade.Tick(kOutside, kBar).hideCursor);
    EXPECT_TRUE(fade.Tick(kOutside, kBar).hideCursor);
}

TEST(BarFade, BarEdgesBelongToTheWindowRectangle) {
    EXPECT_TRUE(kBar.Contains(BarPoint{312, 700}));
    EXPECT_FALSE(kBar.Contains(BarPoint{712, 700}));
    EXPECT_FALSE(kBar.Contains(BarPoint{311, 767}));
    EXPECT_TRUE(kBar.Contains(BarPoint{711, 767}));
}
