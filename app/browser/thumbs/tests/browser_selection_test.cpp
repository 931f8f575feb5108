#include "BrowserSelection.h"

#include <gtest/gtest.h>

using namespace vimbrel::browser;

using Items = std::vector<int>;

TEST(BrowserSelection, StartsWithItemZeroAlone) {
    BrowserSelection s;
    s.Reset(5);
    EXPECT_EQ(Items{0}, s.Items());
    s.Reset(0);
    EXPECT_EQ(0u, s.Count());
    EXPECT_EQ(-1, s.Current());
}

TEST(BrowserSelection, CtrlClickAddsAndRemoves) {
    BrowserSelection s;
    s.Reset(5);
    EXPECT_TRUE(s.Toggle(3, 5));
    EXPECT_TRUE(s.Toggle(1, 5));
    EXPECT_EQ((Items{0, 3, 1}), s.Items());
    EXPECT_FALSE(s.Toggle(5, 5));  // no such item
    EXPECT_TRUE(s.Toggle(0, 5));   // the anchor goes, item 3 is current
    EXPECT_EQ((Items{3, 1}), s.Items());
    EXPECT_EQ(3, s.Current());
    EXPECT_TRUE(s.Toggle(3, 5));
    // The last selected item stays: the selection is never emptied.
    EXPECT_FALSE(s.Toggle(1, 5));
    EXPECT_EQ(Items{1}, s.Items());
    // The only item of a one-item folder stays selected.
    s.Reset(1);
    EXPECT_FALSE(s.Toggle(0, 1));
    EXPECT_EQ(Items{0}, s.Items());
}

TEST(BrowserSelection, CtrlClickStopsAtAThousand) {
    BrowserSelection s;
    s.Reset(2000);
    for (int i = 1; i < 1000; ++i) ASSERT_TRUE(s.Toggle(i, 2000));
    EXPECT_EQ(1000u, s.Count());
    EXPECT_FALSE(s.Toggle(1500, 2000));
    EXPECT_FALSE(s.Contains(1500));
}

TEST(BrowserSelection, ShiftClickRangesFromTheAnchor) {
    BrowserSelection s;
    s.Reset(20);
    s.SelectOnly(5);
    EXPECT_TRUE(s.SelectRange(2, 20));
    EXPECT_EQ((Items{2, 3, 4, 5}), s.Items());
    // The lower end became the anchor: the next range runs from 2.
    EXPECT_TRUE(s.SelectRange(7, 20));
    EXPECT_EQ((Items{2, 3, 4, 5, 6, 7}), s.Items());
    EXPECT_FALSE(s.SelectRange(25, 20));
    EXPECT_EQ(6u, s.Count());
}

TEST(BrowserSelection, ShiftRangeIsCutAtAThousand) {
    BrowserSelection s;
    s.Reset(3000);
    EXPECT_TRUE(s.SelectRange(2500, 3000));
    ASSERT_EQ(1000u, s.Count());
    EXPECT_EQ(0, s.Items().front());
    EXPECT_EQ(999, s.Items().back());
}

TEST(BrowserSelection, ShrinkingListDropsStaleIndices) {
    BrowserSelection s;
    s.Reset(12);
    s.SelectOnly(10);
    s.Toggle(4, 12);
    s.DropBeyond(9);
    EXPECT_EQ(Items{4}, s.Items());
    s.SelectOnly(11);
    s.DropBeyond(9);
    EXPECT_EQ(Items{0}, s.Items());
    s.DropBeyond(0);
    EXPECT_EQ(0u, s.Count());
}

TEST(BrowserSelection, NavigationTargets) {
    EXPECT_EQ(0, NavigateTarget(0, 4, 10));
    EXPECT_EQ(3, NavigateTarget(1, 4, 10));
    EXPECT_EQ(0, NavigateTarget(1, 0, 10));
    EXPECT_EQ(5, NavigateTarget(2, 4, 10));
    EXPECT_EQ(9, NavigateTarget(2, 9, 10));
    EXPECT_EQ(9, NavigateTarget(3, 4, 10));
    EXPECT_EQ(-1, NavigateTarget(4, 4, 10));
    EXPECT_EQ(-1, NavigateTarget(-1, 4, 10));
    EXPECT_EQ(-1, NavigateTarget(0, 0, 0));
}

TEST(BrowserSelection, ContextMenuGraying) {
    auto on = [](const MenuState& m) {
        Items out;
        for (int i = 0; i < 5; ++i)
            if (m.enabled[i]) out.push_back(i + 1);
        return out;
    };
    EXPECT_EQ(Items{}, on(ContextMenuState(0, 0, -1)));
    EXPECT_EQ((Items{1, 2, 3, 4, 5}), on(ContextMenuState(3, 1, 0)));
    EXPECT_EQ((Items{1, 2, 3}), on(ContextMenuState(3, 1, 1)));
    EXPECT_EQ((Items{1, 2, 3}), on(ContextMenuState(3, 1, 2)));
    EXPECT_EQ((Items{1, 3}), on(ContextMenuState(3, 2, 0)));
}
