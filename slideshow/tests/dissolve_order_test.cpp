// The dissolves' choosers: probing to the right with wrap-around, and every
// block or column revealed exactly once on screens of any width.
#include "DissolveOrder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

using namespace slideshow;

namespace {

RandomSource Always(int value) {
    return [value] { return value; };
}

// The Microsoft C library's generator, seeded as a fresh thread's is (1).
RandomSource CLibraryRandom(std::uint32_t seed = 1) {
    return [seed]() mutable {
        seed = seed * 214013u + 2531011u;
        return static_cast<int>((seed >> 16) & 0x7FFF);
    };
}

bool IsPermutation(std::vector<int> values, int count) {
    if (static_cast<int>(values.size()) != count) return false;
    std::sort(values.begin(), values.end());
    for (int i = 0; i < count; ++i) {
        if (values[static_cast<std::size_t>(i)] != i) return false;
    }
    return true;
}

}  // namespace

TEST(Occupancy, ProbesRightAndWrapsUntilFull) {
    COccupancy slots(5);
    EXPECT_EQ(2, slots.Claim(2));
    EXPECT_EQ(3, slots.Claim(2));
    EXPECT_EQ(4, slots.Claim(7));   // 7 is slot 2 again: taken, so is 3
    EXPECT_EQ(0, slots.Claim(4));   // wraps past the last slot
    EXPECT_EQ(1, slots.Claim(-1));  // -1 is slot 4: taken, then 0, then 1
    EXPECT_EQ(-1, slots.Claim(0));
    EXPECT_EQ(-1, COccupancy(0).Claim(0));
}

TEST(BlockDissolve, GridHasOneSpareBlockEachWay) {
    EXPECT_EQ(103, BlockGridFor(1024, 768).columns);
    EXPECT_EQ(77, BlockGridFor(1024, 768).rows);
    EXPECT_EQ(103, BlockGridFor(1020, 760).columns);
    EXPECT_EQ(77, BlockGridFor(1020, 760).rows);
    EXPECT_EQ(1, BlockGridFor(9, 9).columns);
    EXPECT_EQ(0, BlockGridFor(0, 9).columns);
}

TEST(BlockDissolve, EachPassRevealsOneBlockPerRow) {
    // 30 x 10: 4 columns, 2 rows. Always column 2 first, then the probe.
    std::vector<int> order = BlockDissolveOrder(BlockGridFor(30, 10), Always(2));
    EXPECT_EQ((std::vector<int>{2, 2, 3, 3, 0, 0, 1, 1}), order);
    // 9 % 4 = 1 for every pick.
    order = BlockDissolveOrder(BlockGridFor(30, 10), Always(9));
    EXPECT_EQ((std::vector<int>{1, 1, 2, 2, 3, 3, 0, 0}), order);
}

TEST(BlockDissolve, EveryBlockOfEveryRowExactlyOnce) {
    const int sizes[][2] = {{640, 480}, {1023, 767}, {1024, 768}, {1920, 1080}};
    for (const auto& size : sizes) {
        BlockGrid grid = BlockGridFor(size[0], size[1]);
        std::vector<int> order = BlockDissolveOrder(grid, CLibraryRandom());
        ASSERT_EQ(static_cast<std::size_t>(grid.columns * grid.rows), order.size());
        for (int row = 0; row < grid.rows; ++row) {
            std::vector<int> columns;
            for (int pass = 0; pass < grid.columns; ++pass) {
                columns.push_back(order[static_cast<std::size_t>(pass * grid.rows + row)]);
            }
            ASSERT_TRUE(IsPermutation(columns, grid.columns)) << size[0] << " row " << row;
        }
    }
}

TEST(ColumnDissolve, StartsFromTheLowTenBitsAndProbesRight) {
    // 1030 & 1023 = 6, 6 % 5 = 1.
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 0}), ColumnDissolveOrder(5, Always(1030)));
    // Wider than 1024: columns past 1023 come only from probing.
    std::vector<int> wide = ColumnDissolveOrder(1920, Always(1023));
    EXPECT_EQ(1023, wide[0]);
    EXPECT_EQ(1919, wide[896]);
    EXPECT_EQ(0, wide[897]);
    EXPECT_TRUE(IsPermutation(wide, 1920));
}

TEST(ColumnDissolve, EveryColumnExactlyOnceWhateverTheWidth) {
    for (int width : {1, 640, 1023, 1024, 1025, 1920}) {
        EXPECT_TRUE(IsPermutation(ColumnDissolveOrder(width, CLibraryRandom(7)), width)) << width;
    }
    EXPECT_TRUE(ColumnDissolveOrder(0, CLibraryRandom()).empty());
}

TEST(ColumnDissolve, PausesOnEveryFifteenthStep) {
    EXPECT_TRUE(ColumnDissolvePausesAfter(0));
    EXPECT_FALSE(ColumnDissolvePausesAfter(14));
    EXPECT_TRUE(ColumnDissolvePausesAfter(15));
    EXPECT_TRUE(ColumnDissolvePausesAfter(30));
    EXPECT_FALSE(ColumnDissolvePausesAfter(31));
}
