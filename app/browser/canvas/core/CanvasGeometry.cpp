#include "CanvasGeometry.h"

#include <algorithm>

namespace vimbrel::canvas {

CanvasRect UnionOf(const CanvasRect& a, const CanvasRect& b) {
    if (a.Empty()) return b;
    if (b.Empty()) return a;
    const int left = std::min(a.x, b.x);
    const int top = std::min(a.y, b.y);
    const int right = std::max(a.Right(), b.Right());
    const int bottom = std::max(a.Bottom(), b.Bottom());
    return {left, top, right - left, bottom - top};
}

CanvasRect IntersectionOf(const CanvasRect& a, const CanvasRect& b) {
    const int left = std::max(a.x, b.x);
    const int top = std::max(a.y, b.y);
    const int right = std::min(a.Right(), b.Right());
    const int bottom = std::min(a.Bottom(), b.Bottom());
    if (right <= left || bottom <= top) return {};
    return {left, top, right - left, bottom - top};
}

CanvasRect Inflated(const CanvasRect& r, int by) { return {r.x - by, r.y - by, r.width + 2 * by, r.height + 2 * by}; }

}  // namespace vimbrel::canvas
