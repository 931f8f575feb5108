#include "PenStroke.h"

#include <algorithm>
#include <cstdlib>

namespace vimbrel::canvas {

CanvasPoint TipCorner(double x, double y, float width) {
    const double half = static_cast<double>(width) / 2.0;
    return {static_cast<int>(x - half + 0.5), static_cast<int>(y - half + 0.5)};
}

int64_t ForEachSegmentTip(CanvasPoint from, CanvasPoint to, float width, const std::function<void(CanvasPoint)>& tip) {
    // 64-bit differences: the end points of a mapped full-size stroke may lie
    // anywhere in the int range.
    const int64_t dx = static_cast<int64_t>(to.x) - from.x;
    const int64_t dy = static_cast<int64_t>(to.y) - from.y;
    const bool xMajor = std::llabs(dy) < std::llabs(dx);
    const int64_t start = xMajor ? from.x : from.y;
    const int64_t end = xMajor ? to.x : to.y;
    const double otherStart = xMajor ? from.y : from.x;
    const int64_t extent = xMajor ? dx : dy;
    const double slope = extent == 0 ? 0.0 : static_cast<double>(xMajor ? dy : dx) / static_cast<double>(extent);
    const int64_t step = end >= start ? 1 : -1;

    int64_t count = 0;
    for (int64_t i = start;; i += step) {
        const double other = otherStart + static_cast<double>(i - start) * slope;
        tip(xMajor ? TipCorner(static_cast<double>(i), other, width) : TipCorner(other, static_cast<double>(i), width));
        ++count;
        if (i == end) break;
    }
    return count;
}

CanvasRect SegmentRepaintRect(CanvasPoint from, CanvasPoint to, float width) {
    const CanvasRect box{std::min(from.x, to.x), std::min(from.y, to.y), std::abs(to.x - from.x) + 1,
                         std::abs(to.y - from.y) + 1};
    return Inflated(box, static_cast<int>(width) + 3);
}

}  // namespace vimbrel::canvas
