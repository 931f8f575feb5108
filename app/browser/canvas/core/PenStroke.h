#pragma once
// The pen's rasteriser: a stroke is a row of pen tips, one per pixel step
// along the longer axis of each segment, so a fast mouse still leaves a
// closed line and the view and the full-size picture get the same shape at
// their own widths.

#include "CanvasGeometry.h"

#include <cstdint>
#include <functional>

namespace vimbrel::canvas {

// Tips below 4 pixels are filled squares (a circle that small is a blot of
// uneven width), larger ones filled circles of that diameter.
inline bool TipIsSquare(float width) { return width < 4.0f; }

// The top-left corner of a tip centred on (x, y): each of x - width / 2 +
// 0.5 and y - width / 2 + 0.5 truncated.
CanvasPoint TipCorner(double x, double y, float width);

// Calls `tip` with the top-left corner of every tip of the segment, from
// `from` to `to` inclusive: the axis with the larger extent (x when |dy| <
// |dx|, else y) steps one pixel at a time, the other coordinate follows the
// slope unrounded. A segment of one point gives one tip. Returns the count.
int64_t ForEachSegmentTip(CanvasPoint from, CanvasPoint to, float width,
                          const std::function<void(CanvasPoint corner)>& tip);

// What a segment touches on the screen: the box of its end points grown by
// the width plus 3 on every side, room for the round tips and the
// smoothing of the surface.
CanvasRect SegmentRepaintRect(CanvasPoint from, CanvasPoint to, float width);

}  // namespace vimbrel::canvas
