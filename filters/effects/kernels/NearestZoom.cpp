// The nearest-neighbour zoom from tables kept between frames: output rows
// that show the source row of the row before them are copies of that row,
// and the others are gathered from a copy of the part of the frame the zoom
// reads.

#include <algorithm>
#include <climits>
#include <cstring>

#include "kernels/FlipZoom.h"
#include "kernels/PixelRows.h"
#include "kernels/ZoomRows.h"

namespace vimbrel::effects {
namespace {

// The source row or column of output coordinate `out`: the crop's origin
// plus the whole part of out x scale, counted from the far end when flipped,
// kept inside the frame.
int NearestIndex(int out, int size, int origin, float scale, bool flipped) {
    const int whole = static_cast<int>(static_cast<float>(out) * scale);
    return std::clamp(flipped ? size - 1 - origin - whole : origin + whole, 0, size - 1);
}

// The 16-byte blocks of a row whose pixels come from `offsets`, or none
// when one of them reads bytes more than 16 apart. Output pixels step
// through the source by at most one pixel (the factor is at least 1) and
// forward (mirrored rows are copied reversed), so 16 output bytes come from
// 16 neighbouring source bytes at most.
void PlanNearestBlocks(const std::vector<int32_t>& offsets, NearestZoomPlan& plan) {
    const int bytes = 3 * static_cast<int>(offsets.size());
    const int blocks = bytes / 16;
    plan.blockBase.resize(static_cast<std::size_t>(blocks));
    plan.blockShuffle.resize(static_cast<std::size_t>(blocks) * 16);
    for (int j = 0; j < blocks; ++j) {
        int at[16];
        int low = INT_MAX, high = INT_MIN;
        for (int i = 0; i < 16; ++i) {
            const int b = 16 * j + i;
            at[i] = offsets[static_cast<std::size_t>(b / 3)] + b % 3;
            low = std::min(low, at[i]);
            high = std::max(high, at[i]);
        }
        if (high - low > 15) {
            plan.blockBase.clear();
            plan.blockShuffle.clear();
            return;
        }
        plan.blockBase[static_cast<std::size_t>(j)] = low;
        for (int i = 0; i < 16; ++i) {
            plan.blockShuffle[static_cast<std::size_t>(16 * j + i)] = static_cast<int8_t>(at[i] - low);
        }
    }
}

}  // namespace

void PlanNearestZoom(int width, int height, float factor, bool flipVertical, bool mirror, NearestZoomPlan& plan) {
    uint32_t factorBits;
    std::memcpy(&factorBits, &factor, sizeof factorBits);
    if (plan.width == width && plan.height == height && plan.factorBits == factorBits &&
        plan.flipVertical == flipVertical && plan.mirror == mirror) {
        return;
    }
    // Not a plan for anything until it is whole (an allocation may throw).
    plan.width = 0;
    const ZoomCrop crop = ComputeZoomCrop(width, height, factor);
    std::vector<int32_t> columns(static_cast<std::size_t>(width));
    for (int k = 0; k < width; ++k) {
        columns[static_cast<std::size_t>(k)] = NearestIndex(k, width, crop.x0, crop.scale, mirror);
    }
    plan.rows.resize(static_cast<std::size_t>(height));
    for (int r = 0; r < height; ++r) {
        plan.rows[static_cast<std::size_t>(r)] = NearestIndex(r, height, crop.y0, crop.scale, flipVertical);
    }
    const auto [firstColumn, lastColumn] = std::minmax_element(columns.begin(), columns.end());
    const auto [firstRow, lastRow] = std::minmax_element(plan.rows.begin(), plan.rows.end());
    plan.firstColumn = *firstColumn;
    plan.lastColumn = *lastColumn;
    plan.firstRow = *firstRow;
    plan.lastRow = *lastRow;
    for (int32_t& row : plan.rows) {
        row -= plan.firstRow;
    }
    plan.offsets.resize(columns.size());
    for (std::size_t k = 0; k < columns.size(); ++k) {
        plan.offsets[k] = 3 * (mirror ? plan.lastColumn - columns[k] : columns[k] - plan.firstColumn);
    }
    PlanNearestBlocks(plan.offsets, plan);
    plan.height = height;
    plan.factorBits = factorBits;
    plan.flipVertical = flipVertical;
    plan.mirror = mirror;
    plan.width = width;
}

void ZoomNearest(const RgbFrame& frame, float factor, bool flipVertical, bool mirror, CScratch& scratch) {
    if (frame.Empty()) {
        return;
    }
    NearestZoomPlan& plan = scratch.NearestZoom();
    PlanNearestZoom(frame.width, frame.height, factor, flipVertical, mirror, plan);
    const int columns = plan.lastColumn - plan.firstColumn + 1;
    const std::size_t copiedBytes = static_cast<std::size_t>(columns) * 3;
    const int copiedRows = plan.lastRow - plan.firstRow + 1;
    uint8_t* const copy = scratch.Bytes(0, copiedBytes * static_cast<std::size_t>(copiedRows) + kNearestSourcePadding);
    for (int i = 0; i < copiedRows; ++i) {
        const uint8_t* from = frame.Row(plan.firstRow + i) + 3 * plan.firstColumn;
        uint8_t* to = copy + static_cast<std::size_t>(i) * copiedBytes;
        if (mirror) {
            ReverseCopy(from, to, columns);
        } else {
            std::memcpy(to, from, copiedBytes);
        }
    }
    const std::size_t rowBytes = static_cast<std::size_t>(frame.width) * 3;
    for (int r = 0; r < frame.height; ++r) {
        const int32_t from = plan.rows[static_cast<std::size_t>(r)];
        if (r > 0 && from == plan.rows[static_cast<std::size_t>(r) - 1]) {
            std::memcpy(frame.Row(r), frame.Row(r - 1), rowBytes);
        } else {
            GatherNearestRow(copy + static_cast<std::size_t>(from) * copiedBytes, plan, frame.Row(r));
        }
    }
}

}  // namespace vimbrel::effects
