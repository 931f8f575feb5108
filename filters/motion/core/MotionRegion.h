// Records of the region labelling, all in reduced-picture pixels.
#pragma once

#include <cstdint>

namespace motion {

struct MotionRegion {
    std::uint32_t left;    // first column
    std::uint32_t right;   // one past the last column
    std::uint32_t top;     // first row
    std::uint32_t bottom;  // last row
    std::uint32_t label;   // position in the list plus 1
    std::uint32_t merged;  // 1 when merged into another region or dropped
};

// A horizontal run of nonzero pixels in one row; end is one past its last
// column. Label 0 means not yet attached to a region.
struct RowRun {
    std::uint32_t row;
    std::uint32_t label;
    std::uint32_t start;
    std::uint32_t end;
};

}  // namespace motion
