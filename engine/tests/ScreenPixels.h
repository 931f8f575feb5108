// What the screen shows under a window, for tests that check where the
// renderers put the camera's picture, and the check that the bench scene
// fills a window whole.
#pragma once

#include "Scene.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

namespace enginetest {

// The screen's pixels under a window at the moment of construction, top row
// first.
class CScreenPixels {
public:
    explicit CScreenPixels(HWND window);

    int Width() const { return width_; }
    int Height() const { return height_; }
    benchscene::Rgb At(int x, int y) const;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<DWORD> pixels_;
};

// A colour neither the bench scene nor a black or white window has: the
// face of the windows the tests put video into.
constexpr benchscene::Rgb kFaceColour = {0x6A, 0x6A, 0x6A};

// A visible window painted in the face colour: a child of parent at (x, y)
// in its client area, or a pop-up at (x, y) on the screen without parent.
HWND CreateFacedWindow(HWND parent, int x, int y, int width, int height);

// Within the little a renderer's scaling may change.
bool NearColour(benchscene::Rgb a, benchscene::Rgb b);

// The bench camera's still scene, scaled to the whole window: the eight
// bars at their columns (in reverse order when mirrored), the grey ramp from
// dark at the left edge to bright at the right, and none of the face colour
// at the window's edges.
::testing::AssertionResult SceneFillsWindow(HWND window, bool mirrored = false);

}  // namespace enginetest
