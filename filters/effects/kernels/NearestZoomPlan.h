#pragma once
// Where every output pixel of a nearest-neighbour zoom comes from, worked
// out once for a frame size, factor and pair of flips and kept from frame to
// frame (CScratch holds one): a camera keeps its size and the zoom its
// factor for many frames, and the tables cost as much to make as a zoom.

#include <cstdint>
#include <vector>

namespace vimbrel::effects {

// Bytes readable past the last pixel of the copied source: the vector
// gathers load 16-byte windows, and 8 bytes from a pixel's first.
constexpr int kNearestSourcePadding = 32;

struct NearestZoomPlan {
    // What the tables were made for (width 0: nothing yet).
    int width = 0;
    int height = 0;
    uint32_t factorBits = 0;
    bool flipVertical = false;
    bool mirror = false;

    // The source pixels the zoom reads: columns firstColumn..lastColumn of
    // rows firstRow..lastRow. They are copied before the frame is
    // overwritten, packed, and mirrored rows reversed, so that every output
    // row reads its copied row from left to right.
    int firstColumn = 0;
    int lastColumn = 0;
    int firstRow = 0;
    int lastRow = 0;

    // Output row r shows copied row rows[r] (counted from firstRow).
    std::vector<int32_t> rows;
    // Output pixel k is the three bytes from offsets[k] of its copied row.
    std::vector<int32_t> offsets;
    // The row in 16-byte blocks for a byte shuffle: output bytes 16 j ..
    // 16 j + 15 are the 16 copied bytes from blockBase[j] put in order by
    // blockShuffle[16 j ..]. Only blocks that end inside the row; none when
    // a block's bytes lie more than 16 apart, which a factor within a
    // rounding error of 1 could cause.
    std::vector<int32_t> blockBase;
    std::vector<int8_t> blockShuffle;
};

// Remakes `plan` unless it was made for these settings already.
void PlanNearestZoom(int width, int height, float factor, bool flipVertical, bool mirror, NearestZoomPlan& plan);

}  // namespace vimbrel::effects
