// The resolution lists: sorted by width, equal widths in arrival order, at
// most 29 entries, reads only inside the list.
#include <gtest/gtest.h>

#include "ResolutionList.h"

using namespace vimbrel::controller;

namespace {

TEST(ResolutionList, SortsByWidthKeepingArrivalOrderForEqualWidths) {
    CResolutionList list;
    EXPECT_EQ(list.Add(0, 800, 600), 1);
    EXPECT_EQ(list.Add(1, 320, 240), 1);
    EXPECT_EQ(list.Add(2, 640, 480), 1);
    EXPECT_EQ(list.Add(3, 640, 360), 1);  // same width, after the earlier one
    EXPECT_EQ(list.Add(4, 160, 120), 1);
    ASSERT_EQ(list.Count(), 5);
    const int widths[] = {160, 320, 640, 640, 800};
    const int heights[] = {120, 240, 480, 360, 600};
    const int formats[] = {4, 1, 2, 3, 0};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(list.At(i)->width, widths[i]) << i;
        EXPECT_EQ(list.At(i)->height, heights[i]) << i;
        EXPECT_EQ(list.At(i)->formatIndex, formats[i]) << i;
    }
    EXPECT_TRUE(list.Has(640, 360));
    EXPECT_FALSE(list.Has(360, 640));
    EXPECT_EQ(list.FirstIndexOfWidth(640), 2);
    EXPECT_EQ(list.FirstIndexOfWidth(1024), -1);
}

TEST(ResolutionList, RefusesNegativeArgumentsAndTheThirtiethSize) {
    CResolutionList list;
    EXPECT_EQ(list.Add(-1, 320, 240), 0);
    EXPECT_EQ(list.Add(0, -320, 240), 0);
    EXPECT_EQ(list.Add(0, 320, -240), 0);
    EXPECT_EQ(list.Count(), 0);
    for (int i = 0; i < 29; ++i) EXPECT_EQ(list.Add(i, 1000 - i, 10), 1) << i;
    EXPECT_EQ(list.Add(29, 1, 1), 0);  // would have gone first
    EXPECT_EQ(list.Count(), 29);
    EXPECT_EQ(list.At(0)->width, 972);
    EXPECT_EQ(list.At(28)->width, 1000);
    EXPECT_EQ(list.At(29), nullptr);
    EXPECT_EQ(list.At(-1), nullptr);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.At(0), nullptr);
}

}  // namespace
