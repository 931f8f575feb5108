#pragma once
// Where a picture sits on the canvas: scaled down to fit when it is larger,
// centred at its own size otherwise, with black borders around it.

#include "CanvasGeometry.h"

#include <vector>

namespace vimbrel::canvas {

enum class LayoutKind : int {
    ExactFit = 0,     // the picture covers the canvas
    SideBorders = 1,  // borders left and right
    TopBottomBorders = 2,
    AllRound = 3,  // a small picture centred with borders on all sides
};

struct ViewLayout {
    LayoutKind kind = LayoutKind::ExactFit;
    int pictureWidth = 0;
    int pictureHeight = 0;
    CanvasRect view;     // the picture's rectangle on the canvas
    float scale = 1.0f;  // full-size pixels per view pixel, at least 1
};

// The layout of a w x h picture on a W x H canvas. Sizes below 1 are taken
// as 1, so a broken picture still gets a usable (tiny) layout.
ViewLayout ComputeViewLayout(int canvasWidth, int canvasHeight, int pictureWidth, int pictureHeight);

// min(W / 640, H / 480), at most 1: how much smaller than on a full-size
// preview stamps are drawn on this canvas.
float CanvasStampScale(int canvasWidth, int canvasHeight);

// A view point on the full-size picture: ((x - view x) * scale + 0.5,
// (y - view y) * scale + 0.5), truncated.
CanvasPoint MapToPicture(const ViewLayout& layout, CanvasPoint viewPoint);

// The canvas areas outside the view rectangle that the layout kind leaves
// as borders (none for an exact fit).
std::vector<CanvasRect> BorderRects(const ViewLayout& layout, int canvasWidth, int canvasHeight);

// A stamp of `stampWidth` x `stampHeight` drawn at `factor` times its size
// centred on `centre`: the size is truncated, the top-left corner is the
// centre less half the size plus 0.5, truncated.
CanvasRect CentredStampRect(CanvasPoint centre, int stampWidth, int stampHeight, float factor);

}  // namespace vimbrel::canvas
