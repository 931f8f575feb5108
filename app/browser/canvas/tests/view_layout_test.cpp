// Where pictures of several shapes land on the canvas, how view points map
// onto the full-size picture, the borders that stay black, and stamp boxes.
#include "ViewLayout.h"

#include <gtest/gtest.h>

using namespace vimbrel::canvas;

namespace {

void ExpectView(const ViewLayout& l, LayoutKind kind, CanvasRect view, float scale) {
    EXPECT_EQ(l.kind, kind);
    EXPECT_EQ(l.view, view) << l.view.x << "," << l.view.y << " " << l.view.width << "x" << l.view.height;
    EXPECT_FLOAT_EQ(l.scale, scale);
}

TEST(ViewLayout, LargerPicturesAreScaledDownToFit) {
    // Twice the canvas: an exact fit at scale 2.
    ExpectView(ComputeViewLayout(640, 480, 1280, 960), LayoutKind::ExactFit, {0, 0, 640, 480}, 2.0f);
    // Wide: 1000 / 640 = 1.5625 beats 200 / 480; height 200 / 1.5625 = 128,
    // centred at (480 - 128) / 2 = 176.
    ExpectView(ComputeViewLayout(640, 480, 1000, 200), LayoutKind::TopBottomBorders, {0, 176, 640, 128}, 1.5625f);
    // 4000 / 640 = 6.25; 1000 / 6.25 = 160 high at y 160.
    ExpectView(ComputeViewLayout(640, 480, 4000, 1000), LayoutKind::TopBottomBorders, {0, 160, 640, 160}, 6.25f);
    // Only the width is larger: 800 / 640 = 1.25 against 1; 480 / 1.25 = 384.
    ExpectView(ComputeViewLayout(640, 480, 800, 480), LayoutKind::TopBottomBorders, {0, 48, 640, 384}, 1.25f);
    // Tall: 960 / 480 = 2 beats 600 / 640; width 600 / 2 = 300 at x 170.
    ExpectView(ComputeViewLayout(640, 480, 600, 960), LayoutKind::SideBorders, {170, 0, 300, 480}, 2.0f);
    // Portrait 480 x 640: ratio 4/3, 480 / (4/3) = 360 wide at x 140, even
    // though 4/3 has no exact binary form.
    ExpectView(ComputeViewLayout(640, 480, 480, 640), LayoutKind::SideBorders, {140, 0, 360, 480}, 640.0f / 480.0f);
    // 1000 x 768 on 385 x 288: 768 / 288 = 2.667 beats 1000 / 385 = 2.597;
    // 1000 x 288 / 768 = 375 wide at x 5.
    ExpectView(ComputeViewLayout(385, 288, 1000, 768), LayoutKind::SideBorders, {5, 0, 375, 288}, 768.0f / 288.0f);
}

TEST(ViewLayout, SmallerPicturesAreCentredAtTheirOwnSize) {
    ExpectView(ComputeViewLayout(640, 480, 320, 240), LayoutKind::AllRound, {160, 120, 320, 240}, 1.0f);
    ExpectView(ComputeViewLayout(640, 480, 640, 480), LayoutKind::ExactFit, {0, 0, 640, 480}, 1.0f);
    ExpectView(ComputeViewLayout(640, 480, 500, 480), LayoutKind::SideBorders, {70, 0, 500, 480}, 1.0f);
    ExpectView(ComputeViewLayout(640, 480, 640, 300), LayoutKind::TopBottomBorders, {0, 90, 640, 300}, 1.0f);
    // Odd leftovers round the offset down.
    ExpectView(ComputeViewLayout(385, 288, 100, 75), LayoutKind::AllRound, {142, 106, 100, 75}, 1.0f);
}

TEST(ViewLayout, DegenerateSizesStillGiveAUsableLayout) {
    const ViewLayout l = ComputeViewLayout(640, 480, 0, -5);
    EXPECT_EQ(l.pictureWidth, 1);
    EXPECT_EQ(l.pictureHeight, 1);
    EXPECT_EQ(l.view, (CanvasRect{319, 239, 1, 1}));
    // A sliver far wider than the canvas keeps at least one row.
    EXPECT_EQ(ComputeViewLayout(640, 480, 100000, 1).view.height, 1);
}

TEST(ViewLayout, ViewPointsMapOntoTheFullSizePicture) {
    const ViewLayout twice = ComputeViewLayout(640, 480, 1280, 960);
    EXPECT_EQ(MapToPicture(twice, {10, 10}), (CanvasPoint{20, 20}));
    EXPECT_EQ(MapToPicture(twice, {639, 479}), (CanvasPoint{1278, 958}));

    const ViewLayout small = ComputeViewLayout(640, 480, 320, 240);
    EXPECT_EQ(MapToPicture(small, {160, 120}), (CanvasPoint{0, 0}));
    EXPECT_EQ(MapToPicture(small, {479, 359}), (CanvasPoint{319, 239}));

    // (10 x 1.5625 + 0.5 = 16.125) and (3 x 1.5625 + 0.5 = 5.1875).
    const ViewLayout wide = ComputeViewLayout(640, 480, 1000, 200);
    EXPECT_EQ(MapToPicture(wide, {10, 179}), (CanvasPoint{16, 5}));
    // Half a step rounds up: 1 x 1.5625 + 0.5 = 2.0625 -> 2; 2 x 1.5625 + 0.5 = 3.625 -> 3.
    EXPECT_EQ(MapToPicture(wide, {1, 178}), (CanvasPoint{2, 3}));
}

TEST(ViewLayout, BordersFollowTheLayoutKind) {
    EXPECT_TRUE(BorderRects(ComputeViewLayout(640, 480, 1280, 960), 640, 480).empty());

    const auto round = BorderRects(ComputeViewLayout(640, 480, 320, 240), 640, 480);
    ASSERT_EQ(round.size(), 4u);
    EXPECT_EQ(round[0], (CanvasRect{0, 0, 640, 120}));
    EXPECT_EQ(round[1], (CanvasRect{0, 360, 640, 120}));
    EXPECT_EQ(round[2], (CanvasRect{0, 120, 160, 240}));
    EXPECT_EQ(round[3], (CanvasRect{480, 120, 160, 240}));

    const auto sides = BorderRects(ComputeViewLayout(640, 480, 500, 480), 640, 480);
    ASSERT_EQ(sides.size(), 2u);
    EXPECT_EQ(sides[0], (CanvasRect{0, 0, 70, 480}));
    EXPECT_EQ(sides[1], (CanvasRect{570, 0, 70, 480}));

    const auto bands = BorderRects(ComputeViewLayout(640, 480, 1000, 200), 640, 480);
    ASSERT_EQ(bands.size(), 2u);
    EXPECT_EQ(bands[0], (CanvasRect{0, 0, 640, 176}));
    EXPECT_EQ(bands[1], (CanvasRect{0, 304, 640, 176}));
}

TEST(ViewLayout, StampScaleAndStampBoxes) {
    EXPECT_FLOAT_EQ(CanvasStampScale(640, 480), 1.0f);
    EXPECT_FLOAT_EQ(CanvasStampScale(1280, 960), 1.0f);
    EXPECT_FLOAT_EQ(CanvasStampScale(320, 240), 0.5f);
    // min(385 / 640 = 0.6015625, 288 / 480 = 0.6).
    EXPECT_FLOAT_EQ(CanvasStampScale(385, 288), 0.6f);

    // 64 x 48 at half size is 32 x 24; corner 100 - 16 + 0.5 and 100 - 12 + 0.5.
    EXPECT_EQ(CentredStampRect({100, 100}, 64, 48, 0.5f), (CanvasRect{84, 88, 32, 24}));
    // An odd size: 15 -> 100 - 7.5 + 0.5 = 93.
    EXPECT_EQ(CentredStampRect({100, 100}, 15, 15, 1.0f), (CanvasRect{93, 93, 15, 15}));
    // Full size at view scale 2 and stamp scale 0.6: 50 x 1.2 = 60 (truncated
    // from the float product), corner 20 - 30 + 0.5 = -9.5 -> -9.
    EXPECT_EQ(CentredStampRect({20, 40}, 50, 50, 0.6f * 2.0f), (CanvasRect{-9, 10, 60, 60}));
}

}  // namespace
