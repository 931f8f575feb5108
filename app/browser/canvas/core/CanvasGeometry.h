#pragma once
// Points and rectangles of the canvas's own logic, free of any platform
// header so the layout and pen rules can be tested natively.

namespace vimbrel::canvas {

struct CanvasPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(CanvasPoint a, CanvasPoint b) { return a.x == b.x && a.y == b.y; }
    friend bool operator!=(CanvasPoint a, CanvasPoint b) { return !(a == b); }
};

// Half-open: covers x .. x + width - 1 and y .. y + height - 1.
struct CanvasRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool Empty() const { return width <= 0 || height <= 0; }
    int Right() const { return x + width; }
    int Bottom() const { return y + height; }
    friend bool operator==(const CanvasRect& a, const CanvasRect& b) {
        return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
    }
};

// The smallest rectangle holding both; an empty one adds nothing.
CanvasRect UnionOf(const CanvasRect& a, const CanvasRect& b);
// The common part; empty (all zero) when they do not meet.
CanvasRect IntersectionOf(const CanvasRect& a, const CanvasRect& b);
// Grown by `by` on every side.
CanvasRect Inflated(const CanvasRect& r, int by);

}  // namespace vimbrel::canvas
