// Scans of a mask bitmap by colour: the horizontal runs that make a window
// region, the key colours that name buttons or layout areas, and the gray
// levels that name the steps of a slider.
#pragma once

#include "SkinTypes.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vimbrel::ui {

// A view of 32-bit pixels laid out as in a Windows DIB (bytes B, G, R, X).
// Row y (0 = top image row) starts at top + y * stride; a bottom-up DIB is
// viewed with top at its last memory row and a negative stride.
struct MaskView {
    int width = 0;
    int height = 0;
    const uint8_t* top = nullptr;
    std::ptrdiff_t stride = 0;

    const uint8_t* Row(int y) const { return top + static_cast<std::ptrdiff_t>(y) * stride; }
    Colour At(int x, int y) const {
        const uint8_t* p = Row(y) + static_cast<std::ptrdiff_t>(x) * 4;
        return MakeColour(p[2], p[1], p[0]);
    }
    bool Valid() const { return width > 0 && height > 0 && top != nullptr; }
};

struct PixelRect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// One block of rectangles, handed to the system as one region.
struct RunBlock {
    std::vector<PixelRect> rects;
    PixelRect bounds;  // starts as (0x7FFFFFFF, 0x7FFFFFFF, 0, 0)
};

enum class RegionMode : int {
    SameColour = 0,   // every pixel of exactly the colour
    OtherColour = 1,  // every pixel whose colour differs from it
};

// Blocks of at most this many rectangles keep each region-data block bounded.
constexpr size_t kRectsPerRegionBlock = 2000;

// Row runs of the matching pixels, top row first and left to right, one
// rectangle (x0, y, x1, y + 1) per run. A mask with no matching pixel gives
// one empty block, so the caller still makes one (empty) region.
std::vector<RunBlock> RunsFromPixels(const MaskView& mask, Colour colour, RegionMode mode,
                                     size_t rectsPerBlock = kRectsPerRegionBlock);

// Every colour other than black and white, in the order each is first met,
// top row first and left to right; at most limit of them. Colours past the
// limit are left out: the window has no room for them.
std::vector<Colour> CollectKeyColours(const MaskView& mask, size_t limit);

// Every distinct gray colour (red = green = blue), black and white included,
// darkest first: the steps of a slider.
std::vector<Colour> CollectSteps(const MaskView& mask);

}  // namespace vimbrel::ui
