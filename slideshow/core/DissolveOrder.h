// The order in which the two dissolves reveal the new picture: blocks of a
// grid row by row, or single screen columns. Each pick starts at a random
// place and, when that one is already shown, takes the next free one to the
// right (wrapping), so every block or column is revealed exactly once.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace slideshow {

// The C library's generator in the player (0..0x7FFF); tests script it.
using RandomSource = std::function<int()>;

// Occupancy flags over a run of slots.
class COccupancy {
public:
    explicit COccupancy(int slots) : shown_(slots > 0 ? static_cast<std::size_t>(slots) : 0, 0) {}
    // Marks and returns the first free slot at start or to its right,
    // wrapping once round; -1 when every slot is shown.
    int Claim(int start);
    int Slots() const { return static_cast<int>(shown_.size()); }

private:
    std::vector<std::uint8_t> shown_;
};

constexpr int kDissolveBlock = 10;

struct BlockGrid {
    int columns = 0;
    int rows = 0;
};
// (W / 10 + 1) columns by (H / 10 + 1) rows of 10 x 10 blocks.
BlockGrid BlockGridFor(int screenWidth, int screenHeight);

// One entry per block, as columns passes of one block per row (pass p holds
// entries p * rows to p * rows + rows - 1, row 0 first); each entry is the
// block's column in that row.
std::vector<int> BlockDissolveOrder(const BlockGrid& grid, const RandomSource& random);

// One entry per screen column, in reveal order.
std::vector<int> ColumnDissolveOrder(int screenWidth, const RandomSource& random);

// The column dissolve pauses on every step whose index is a multiple of 15.
inline bool ColumnDissolvePausesAfter(int step) { return step % 15 == 0; }

}  // namespace slideshow
