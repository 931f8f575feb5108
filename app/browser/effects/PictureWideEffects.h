#pragma once
// Effects whose pixels depend on a statistic of the whole picture.

#include <array>
#include <cstdint>

#include "effects/BgrxImage.h"

namespace vimbrel::browser {

// A pixel whose gray lies above the picture's mean gray becomes white, every
// other pixel black.
void BlackWhite(const BgrxImage& image);

// Per channel gain (L / channel mean)^1.2 limited to 0.6..1.67, where L is
// the weighted luma of the three means; computed in single precision.
struct ColourBalanceGains {
    float blue = 1.0f, green = 1.0f, red = 1.0f;
};
ColourBalanceGains MeasureColourBalance(const BgrxImage& image);

// v becomes clamp(trunc(v x gain + 0.5)), through one table per channel.
std::array<uint8_t, 256> ColourBalanceTable(float gain);

void ColourBalance(const BgrxImage& image);

}  // namespace vimbrel::browser
