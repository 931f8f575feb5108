#include "BrowserGrid.h"

#include <gtest/gtest.h>

using namespace vimbrel::browser;

TEST(BrowserGrid, FramesThumbsAndBadges) {
    EXPECT_EQ(16, FrameOrigin(0).x);
    EXPECT_EQ(22, FrameOrigin(0).y);
    EXPECT_EQ(132, FrameOrigin(1).x);
    EXPECT_EQ(22, FrameOrigin(1).y);
    EXPECT_EQ(16, FrameOrigin(6).x);
    EXPECT_EQ(292, FrameOrigin(6).y);
    EXPECT_EQ(132, FrameOrigin(7).x);
    EXPECT_EQ(292, FrameOrigin(7).y);
    // 56 x 75 in the right column of row 1: (132 + 5 + 22, 112 + 5 + 0).
    GridPoint t = ThumbOrigin(3, 56, 75);
    EXPECT_EQ(159, t.x);
    EXPECT_EQ(117, t.y);
    // 100 x 20 in cell 0: (21, 22 + 5 + 27).
    t = ThumbOrigin(0, 100, 20);
    EXPECT_EQ(21, t.x);
    EXPECT_EQ(54, t.y);
    EXPECT_EQ(217, BadgeOrigin(5).x);
    EXPECT_EQ(208, BadgeOrigin(5).y);
}

TEST(BrowserGrid, HitCellsCutTheDrawingArea) {
    // 256 x 360 client: columns of (256 - 16) / 2 = 120, rows of 90.
    EXPECT_EQ(0, HitCell(0, 0, 256, 360));
    EXPECT_EQ(1, HitCell(120, 0, 256, 360));
    EXPECT_EQ(0, HitCell(119, 89, 256, 360));
    EXPECT_EQ(2, HitCell(5, 90, 256, 360));
    EXPECT_EQ(7, HitCell(239, 359, 256, 360));
    EXPECT_EQ(-1, HitCell(240, 10, 256, 360));  // over the scroll bar
    EXPECT_EQ(-1, HitCell(10, 360, 256, 360));
    EXPECT_EQ(-1, HitCell(-1, 10, 256, 360));
}

TEST(BrowserGrid, ScrollClampsToTheLastFullPage) {
    // 10 rows: range 0..9, top rows 0..6.
    EXPECT_EQ(1, ScrollTarget(ScrollRequest::LineDown, 0, 0, 9, 4));
    EXPECT_EQ(0, ScrollTarget(ScrollRequest::LineUp, 0, 0, 9, 4));
    EXPECT_EQ(6, ScrollTarget(ScrollRequest::PageDown, 4, 0, 9, 4));
    EXPECT_EQ(2, ScrollTarget(ScrollRequest::PageUp, 6, 0, 9, 4));
    EXPECT_EQ(6, ScrollTarget(ScrollRequest::Bottom, 0, 0, 9, 4));
    EXPECT_EQ(0, ScrollTarget(ScrollRequest::Top, 5, 0, 9, 4));
    EXPECT_EQ(5, ScrollTarget(ScrollRequest::Thumb, 0, 5, 9, 4));
    EXPECT_EQ(6, ScrollTarget(ScrollRequest::Thumb, 0, 9, 9, 4));
    EXPECT_EQ(-1, ScrollTarget(ScrollRequest::Other, 3, 0, 9, 4));
    // Exactly four rows: only row 0.
    EXPECT_EQ(0, ScrollTarget(ScrollRequest::LineDown, 0, 0, 3, 4));
    // Three rows or fewer: the grid does not move.
    EXPECT_EQ(-1, ScrollTarget(ScrollRequest::LineDown, 0, 0, 2, 4));
    EXPECT_EQ(-1, ScrollTarget(ScrollRequest::Bottom, 0, 0, 0, 4));
}

TEST(BrowserGrid, ResetAndNavigateTopRows) {
    EXPECT_EQ(0, ResetTopRow(3, 7));
    // Twelve items at the bottom (top row 2), three deleted: 9 / 2 - 4 = 0.
    EXPECT_EQ(0, ResetTopRow(2, 9));
    EXPECT_EQ(2, ResetTopRow(2, 12));  // 2*2+6 = 10 < 12: stays
    EXPECT_EQ(2, ResetTopRow(3, 12));  // 12 >= 12: 12/2 - 4
    EXPECT_EQ(1, ResetTopRow(1, 9));
    // Target row above: it becomes the top row; more than 3 below: row - 3.
    EXPECT_EQ(1, TopRowShowing(2, 3));
    EXPECT_EQ(3, TopRowShowing(13, 3));  // row 6 is 3 below: in view
    EXPECT_EQ(4, TopRowShowing(15, 3));  // row 7: 7 - 3
    EXPECT_EQ(0, TopRowShowing(1, 0));
}

TEST(BrowserGrid, PaintPlans) {
    EXPECT_TRUE(PlanPaint(2, 2).nothing);
    PaintPlan p = PlanPaint(-1, 0);
    EXPECT_TRUE(p.everything);
    EXPECT_EQ(0, p.firstCell);
    EXPECT_EQ(7, p.lastCell);
    EXPECT_TRUE(PlanPaint(0, 4).everything);
    EXPECT_TRUE(PlanPaint(5, 1).everything);
    p = PlanPaint(0, 1);  // down one row: old picture up by 1, cells 6-7 new
    EXPECT_FALSE(p.everything);
    EXPECT_EQ(-1, p.shiftRows);
    EXPECT_EQ(6, p.firstCell);
    EXPECT_EQ(7, p.lastCell);
    p = PlanPaint(0, 3);
    EXPECT_EQ(-3, p.shiftRows);
    EXPECT_EQ(2, p.firstCell);
    EXPECT_EQ(7, p.lastCell);
    p = PlanPaint(4, 2);  // up two rows: cells 0-3 new
    EXPECT_EQ(2, p.shiftRows);
    EXPECT_EQ(0, p.firstCell);
    EXPECT_EQ(3, p.lastCell);
}
