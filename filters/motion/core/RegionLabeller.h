// Turns a 0/nonzero difference picture into rectangular regions, and the
// region and rectangle arithmetic that follows a pass.
#pragma once

#include <cstdint>

#include "GrowableList.h"
#include "MotionRegion.h"
#include "MotionTypes.h"

namespace motion {

using RegionList = GrowableList<MotionRegion>;
using RunList = GrowableList<RowRun>;

// Row-run labelling, 8-connected with runs one column apart also joining.
// The region list and both run lists are emptied first; their storage is
// kept for the next call.
void xLabelRegions(const std::uint8_t* plane, std::uint32_t w, std::uint32_t h, RegionList& regions, RunList& runsA,
                   RunList& runsB);

// Flags every unmerged region whose (right - left) x (bottom - top) is below
// 16 and answers whether any region is left unflagged.
bool xDropSmallRegions(RegionList& regions);

// Bounding rectangle of the nonzero pixels (see the source for its exact,
// partly inclusive, edges) and whether enough pixels changed to count.
bool xCheckDiff(const std::uint8_t* plane, std::uint32_t w, std::uint32_t h, std::uint32_t coveragePercent,
                MotionRect& rect);

// Joins overlapping unmerged regions, at most 7 passes.
void xMergeRects(RegionList& regions);

}  // namespace motion
