#pragma once
// The two effects that draw pseudo-random numbers, so that each application
// gives a different picture.

#include <array>
#include <cstdint>

#include "effects/BgrxImage.h"
#include "effects/PictureRandomSource.h"

namespace vimbrel::browser {

// Frosted glass: a table of 10000 offsets in -4..4, drawn anew each time;
// pixels in buffer order take pairs (dx, dy) from it, two entries a pixel,
// starting over after the last full pair. A pixel takes the unprocessed
// colour at (x + dx, y + dy) when that lies inside the picture.
constexpr int kFrostedTableSize = 10000;
constexpr int kFrostedReach = 4;
void Frosted(const BgrxImage& image, IRandomSource& random);

// Dot screen: a pixel turns white when Curve[gray] > random mod 255, else
// black; the S-shaped curve makes dark pixels rarely and bright pixels
// nearly always white.
const std::array<uint8_t, 256>& DotScreenCurve();
void DotScreen(const BgrxImage& image, IRandomSource& random);

}  // namespace vimbrel::browser
