// The pen's segment rasteriser: which tips a segment is made of, in which
// order, for either axis and direction, and what must be repainted.
#include "PenStroke.h"

#include <gtest/gtest.h>

#include <vector>

using namespace vimbrel::canvas;

namespace {

std::vector<CanvasPoint> Tips(CanvasPoint from, CanvasPoint to, float width) {
    std::vector<CanvasPoint> corners;
    const int64_t count = ForEachSegmentTip(from, to, width, [&](CanvasPoint c) { corners.push_back(c); });
    EXPECT_EQ(count, static_cast<int64_t>(corners.size()));
    return corners;
}

using Points = std::vector<CanvasPoint>;

TEST(PenStroke, TipShapeChangesAtWidthFour) {
    EXPECT_TRUE(TipIsSquare(1.0f));
    EXPECT_TRUE(TipIsSquare(2.0f));
    EXPECT_TRUE(TipIsSquare(3.9f));
    EXPECT_FALSE(TipIsSquare(4.0f));
    EXPECT_FALSE(TipIsSquare(8.0f));
}

TEST(PenStroke, TipCornersCentreTheTipOnThePoint) {
    // 10 - 2 + 0.5 = 8.5 -> 8: a 4-wide tip covers 8..11 round 10.
    EXPECT_EQ(TipCorner(10, 10, 4.0f), (CanvasPoint{8, 8}));
    // 10 - 10.5 + 0.5 = 0 for the default width 21.
    EXPECT_EQ(TipCorner(10, 30, 21.0f), (CanvasPoint{0, 20}));
    // Width 1: the tip is the pixel itself.
    EXPECT_EQ(TipCorner(7, 3, 1.0f), (CanvasPoint{7, 3}));
    // Truncation goes toward zero: 1 - 2 + 0.5 = -0.5 -> 0, -1 - 2 + 0.5 = -2.5 -> -2.
    EXPECT_EQ(TipCorner(1, -1, 4.0f), (CanvasPoint{0, -2}));
}

TEST(PenStroke, HorizontalSegmentsStepEveryPixelInEitherDirection) {
    EXPECT_EQ(Tips({10, 20}, {14, 20}, 1.0f), (Points{{10, 20}, {11, 20}, {12, 20}, {13, 20}, {14, 20}}));
    EXPECT_EQ(Tips({14, 20}, {10, 20}, 1.0f), (Points{{14, 20}, {13, 20}, {12, 20}, {11, 20}, {10, 20}}));
}

TEST(PenStroke, SlopedSegmentsFollowTheLongerAxis) {
    // x-major, slope 0.5, width 2 (half 1): y = 0, 0.5, 1, 1.5, 2 gives
    // corners y - 0.5 -> 0, 0, 0, 1, 1 and x - 0.5 -> 0, 0, 1, 2, 3.
    EXPECT_EQ(Tips({0, 0}, {4, 2}, 2.0f), (Points{{0, 0}, {0, 0}, {1, 0}, {2, 1}, {3, 1}}));
    // y-major, slope 1/3, width 4 (half 2): x = 5, 5.33, 5.67, 6 gives
    // x - 1.5 -> 3, 3, 4, 4; y = 0..3 gives y - 1.5 -> -1 (toward zero), 0, 0, 1.
    EXPECT_EQ(Tips({5, 0}, {6, 3}, 4.0f), (Points{{3, -1}, {3, 0}, {4, 0}, {4, 1}}));
    // Upward y-major run.
    EXPECT_EQ(Tips({0, 3}, {1, 0}, 1.0f), (Points{{0, 3}, {0, 2}, {0, 1}, {1, 0}}));
    // A diagonal counts as y-major: one tip per row.
    EXPECT_EQ(Tips({0, 0}, {2, 2}, 1.0f), (Points{{0, 0}, {1, 1}, {2, 2}}));
}

TEST(PenStroke, OnePointSegmentGivesOneTip) { EXPECT_EQ(Tips({5, 5}, {5, 5}, 8.0f), (Points{{1, 1}})); }

TEST(PenStroke, RepaintRectCoversTheTipsWithMargin) {
    // Box x 4..10, y 20..25, grown by 4 + 3.
    EXPECT_EQ(SegmentRepaintRect({10, 20}, {4, 25}, 4.0f), (CanvasRect{-3, 13, 21, 20}));
    // Every tip of a wide stroke lies inside.
    const CanvasRect box = SegmentRepaintRect({30, 40}, {80, 10}, 21.0f);
    ForEachSegmentTip({30, 40}, {80, 10}, 21.0f, [&](CanvasPoint c) {
        EXPECT_GE(c.x, box.x);
        EXPECT_GE(c.y, box.y);
        EXPECT_LE(c.x + 21, box.Right());
        EXPECT_LE(c.y + 21, box.Bottom());
    });
}

}  // namespace
