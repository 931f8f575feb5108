#pragma once
// The photo editor's entry point: runs one effect, by its number, over the
// editor's working copy of a picture.

#include <cstddef>
#include <cstdint>

#include "effects/BgrxImage.h"
#include "effects/PictureRandomSource.h"

namespace vimbrel::browser {

// True for the numbers the canvas has an effect for: 1-21, 26 and 30.
bool IsCanvasEffect(int effectId);

// Runs the effect in place over `length` bytes holding a width x height
// picture. False, with the buffer unchanged, for a number without effect, a
// size that is not positive or does not fit in the buffer, and when the
// effect's scratch memory cannot be had.
bool RunPixelEffect(int effectId, uint8_t* pixels, std::size_t length, int width, int height,
                    IRandomSource& random) noexcept;

// The same over a picture already described.
bool RunPixelEffect(int effectId, const BgrxImage& image, IRandomSource& random) noexcept;

}  // namespace vimbrel::browser
