// The transitions drawn into a 160 x 120 memory "screen": where the picture
// lands, what turns black, the cross-fade's mixed steps and the pan's
// travel and zoom, and how the player's event cuts them short.
#include "Transitions.h"

#include "DrawingSupport.h"

#include <gtest/gtest.h>

using namespace slideshow;
using namespace slidetest;

namespace {

constexpr int kW = 160;
constexpr int kH = 120;

class TransitionDrawing : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(memory.Ok()); }
    int Run(
        int (*transition)(const TransitionContext&), Gdiplus::Bitmap& picture,
        RandomSource random = [] { return 12345; }) {
        return transition(TransitionContext{picture, *buffers, event, random});
    }

    CMemoryScreen memory{kW, kH};
    std::unique_ptr<CDibBuffer>& screen = memory.screen;
    std::unique_ptr<CScreenBuffers>& buffers = memory.buffers;
    HANDLE& event = memory.event;
};

}  // namespace

TEST_F(TransitionDrawing, CutCentresASmallPictureAndBlacksOutTheLastOne) {
    auto red = SolidPicture(80, 60, kRed);
    ASSERT_EQ(1, Run(CutTransition, *red));
    // (160 - 80) / 2 = 40, (120 - 60) / 2 = 30.
    EXPECT_TRUE(AreaIs(*screen, 40, 30, 80, 60, kRed));
    EXPECT_TRUE(AreaIs(*screen, 0, 0, kW, 30, kBlack));
    EXPECT_TRUE(AreaIs(*screen, 0, 90, kW, 30, kBlack));
    EXPECT_TRUE(AreaIs(*screen, 0, 30, 40, 60, kBlack));

    // A smaller picture next: the red around it must not survive.
    auto blue = SolidPicture(40, 40, kBlue);
    ASSERT_EQ(1, Run(CutTransition, *blue));
    EXPECT_TRUE(AreaIs(*screen, 60, 40, 40, 40, kBlue));
    EXPECT_EQ(kBlack, PixelAt(*screen, 45, 35));
    EXPECT_EQ(kBlack, PixelAt(*screen, 110, 85));
}

TEST_F(TransitionDrawing, DissolvesEndWithTheWholeSlideOnScreen) {
    // 4000 x 1000 on 160 x 120: 160 wide, 160 / 4 = 40 high, y 40.
    auto wide = SplitPicture(400, 100, kRed, kBlue);
    for (auto transition : {BlockDissolveTransition, ColumnDissolveTransition}) {
        Paint(*screen, kGreen);
        int calls = 0;
        ASSERT_EQ(1, Run(transition, *wide, [&calls] { return (calls++ * 7919) & 0x7FFF; }));
        EXPECT_GT(calls, 0);
        EXPECT_TRUE(AreaIs(*screen, 0, 0, kW, 40, kBlack));
        EXPECT_TRUE(AreaIs(*screen, 0, 80, kW, 40, kBlack));
        EXPECT_TRUE(AreaIs(*screen, 2, 42, 76, 36, kRed));
        EXPECT_TRUE(AreaIs(*screen, 82, 42, 76, 36, kBlue));
    }
}

// The event set before the first step: the user's navigation or pause has
// put its own picture on screen, and the fade must not draw over it.
TEST_F(TransitionDrawing, CrossFadeStoppedBeforeItsFirstStepLeavesTheScreenAlone) {
    Paint(*screen, kRed);  // the picture the user asked for
    auto blue = SolidPicture(kW, kH, kBlue);
    SetEvent(event);
    const DWORD start = GetTickCount();
    ASSERT_EQ(1, Run(CrossFadeTransition, *blue));
    EXPECT_LT(GetTickCount() - start, 500u);
    EXPECT_TRUE(AreaIs(*screen, 0, 0, kW, kH, kRed)) << std::hex << PixelAt(*screen, 80, 60);
}

TEST_F(TransitionDrawing, CrossFadeRunsToTheNewPictureAlone) {
    Paint(*screen, kRed);
    auto blue = SolidPicture(80, 60, kBlue);
    ASSERT_EQ(1, Run(CrossFadeTransition, *blue));
    EXPECT_TRUE(AreaIs(*screen, 40, 30, 80, 60, kBlue));
    // The old slide is gone around the smaller new picture too.
    EXPECT_TRUE(AreaIs(*screen, 0, 0, kW, 30, kBlack));
    EXPECT_TRUE(AreaIs(buffers->Blend(), 0, 0, kW, kH, kBlack) == false);
    EXPECT_EQ(kBlue, PixelAt(buffers->Blend(), 80, 60));
    EXPECT_EQ(kBlack, PixelAt(buffers->Blend(), 10, 10));
}

TEST_F(TransitionDrawing, PanOfASmallPictureFadesItInBetweenBlackBands) {
    Paint(*screen, kWhite);
    auto green = SolidPicture(40, 30, kGreen);
    ASSERT_EQ(1, Run(PanTransition, *green));
    // Centred at (60, 45); the bands left, right, above and below are black.
    EXPECT_TRUE(Near(PixelAt(*screen, 80, 60), kGreen, 2));
    EXPECT_TRUE(Near(PixelAt(*screen, 61, 46), kGreen, 2));
    EXPECT_EQ(kBlack, PixelAt(*screen, 10, 60));
    EXPECT_EQ(kBlack, PixelAt(*screen, 150, 60));
    EXPECT_EQ(kBlack, PixelAt(*screen, 80, 10));
    EXPECT_EQ(kBlack, PixelAt(*screen, 80, 110));
    // The next transition still finds a screen-size composition buffer.
    EXPECT_EQ(kW, buffers->Composition().Width());
    auto red = SolidPicture(kW, kH, kRed);
    ASSERT_EQ(1, Run(CutTransition, *red));
    EXPECT_TRUE(AreaIs(*screen, 0, 0, kW, kH, kRed));
}

TEST_F(TransitionDrawing, PanTravelsThenZoomsOutToTheWholePicture) {
    // 320 x 120: as high as the screen, twice as wide. The last frame shows
    // it whole: 160 wide, 160 / (320 / 120) = 60 high, y 30.
    auto wide = SplitPicture(320, 120, kRed, kBlue);
    ASSERT_EQ(1, Run(PanTransition, *wide));
    EXPECT_TRUE(AreaIs(*screen, 0, 0, kW, 28, kBlack));
    EXPECT_TRUE(AreaIs(*screen, 0, 92, kW, 28, kBlack));
    EXPECT_TRUE(Near(PixelAt(*screen, 40, 60), kRed, 8));
    EXPECT_TRUE(Near(PixelAt(*screen, 120, 60), kBlue, 8));
}

TEST_F(TransitionDrawing, PanEndsAtOnceWhenThePlayerStops) {
    auto wide = SplitPicture(320, 120, kRed, kBlue);
    SetEvent(event);
    const DWORD start = GetTickCount();
    ASSERT_EQ(1, Run(PanTransition, *wide));
    EXPECT_LT(GetTickCount() - start, 400u);
}

TEST_F(TransitionDrawing, ModesOutsideTheFiveDrawNothing) {
    Paint(*screen, kWhite);
    auto red = SolidPicture(kW, kH, kRed);
    for (int mode : {0, 6, 42}) {
        EXPECT_EQ(1, RunTransition(mode, TransitionContext{*red, *buffers, event, [] { return 0; }}));
    }
    EXPECT_TRUE(AreaIs(*screen, 0, 0, kW, kH, kWhite));
    EXPECT_EQ(1, RunTransition(1, TransitionContext{*red, *buffers, event, [] { return 0; }}));
    EXPECT_TRUE(AreaIs(*screen, 0, 0, kW, kH, kRed));
}
