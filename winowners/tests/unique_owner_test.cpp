#include "winowners/UniqueOwner.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Handles are small ints; 0 is empty, and each close is written down so
// that a double close or a missed one shows.
std::vector<int> g_closed;

void CloseFake(int handle) { g_closed.push_back(handle); }

using UniqueFake = winowners::UniqueAny<int, &CloseFake>;

void OpenInto(int* slot, int handle) { *slot = handle; }

TEST(UniqueOwnerTest, EachHandleIsClosedExactlyOnce) {
    g_closed.clear();
    {
        UniqueFake first(1);
        UniqueFake moved(std::move(first));
        EXPECT_FALSE(first);
        EXPECT_EQ(first.get(), 0);
        EXPECT_EQ(moved.get(), 1);

        UniqueFake second(2);
        second = std::move(moved);  // closes 2, takes 1
        EXPECT_FALSE(moved);
        EXPECT_EQ(g_closed, std::vector<int>({2}));

        OpenInto(second.put(), 3);  // put() closes 1 before the slot is filled
        EXPECT_EQ(g_closed, std::vector<int>({2, 1}));
        EXPECT_EQ(second.get(), 3);

        second.reset(4);
        EXPECT_EQ(g_closed, std::vector<int>({2, 1, 3}));

        int kept = UniqueFake(5).release();
        EXPECT_EQ(kept, 5);
        // Moving an owner onto itself must keep what it owns. Through a
        // reference, because the compiler rightly warns when it sees the
        // self-move spelt out; here it is the case under test.
        UniqueFake& same = second;
        second = std::move(same);
        EXPECT_EQ(second.get(), 4);
    }
    // 4 closed when its owner went; 5 was released, the empty ones close nothing.
    EXPECT_EQ(g_closed, std::vector<int>({2, 1, 3, 4}));
}

}  // namespace
