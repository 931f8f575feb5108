// The cross-fade's pixel work: mixes two 32-bit BGRX pictures with one
// weight for the whole picture, rounding each channel to the nearest value.
//   out = (over * alpha + under * (255 - alpha)) / 255
// All four bytes of a pixel are mixed alike, so the unused fourth byte never
// decides the result.
#pragma once

#include <cstddef>
#include <cstdint>

namespace slideshow {

// One row of pixels; out may be the same buffer as over or under.
void BlendRow(const std::uint8_t* over, const std::uint8_t* under, std::uint8_t* out, int pixels, int alpha);
// The plain version the tests hold BlendRow to.
void BlendRowReference(const std::uint8_t* over, const std::uint8_t* under, std::uint8_t* out, int pixels, int alpha);

// A 32-bit plane: rows of width pixels, stride bytes apart (the same stride
// in all three planes).
struct PlaneRef {
    std::uint8_t* bits = nullptr;
    std::ptrdiff_t stride = 0;
};
void BlendPlane(const PlaneRef& over, const PlaneRef& under, const PlaneRef& out, int width, int height, int alpha);

}  // namespace slideshow
