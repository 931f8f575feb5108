#include "PixelBlend.h"

#include <cstring>

namespace slideshow {

namespace {

int ClampAlpha(int alpha) { return alpha < 0 ? 0 : (alpha > 255 ? 255 : alpha); }

}  // namespace

void BlendRowReference(const std::uint8_t* over, const std::uint8_t* under, std::uint8_t* out, int pixels, int alpha) {
    alpha = ClampAlpha(alpha);
    for (int i = 0; i < pixels * 4; ++i) {
        const int mixed = over[i] * alpha + under[i] * (255 - alpha);
        out[i] = static_cast<std::uint8_t>((mixed + 127) / 255);
    }
}

void BlendRow(const std::uint8_t* over, const std::uint8_t* under, std::uint8_t* out, int pixels, int alpha) {
    alpha = ClampAlpha(alpha);
    const std::uint32_t a = static_cast<std::uint32_t>(alpha);
    const std::uint32_t b = 255u - a;
    // Two channels per 32-bit word, one in each 16-bit lane: a lane holds at
    // most 255 * 255 + 128 + 254, so nothing carries into its neighbour.
    // (t + (t >> 8)) >> 8 with t = x + 128 is x / 255 rounded, for every x
    // up to 255 * 255.
    constexpr std::uint32_t kLanes = 0x00FF00FFu;
    for (int i = 0; i < pixels; ++i) {
        std::uint32_t p = 0;
        std::uint32_t q = 0;
        std::memcpy(&p, over + i * 4, 4);
        std::memcpy(&q, under + i * 4, 4);
        std::uint32_t even = (p & kLanes) * a + (q & kLanes) * b + 0x00800080u;
        std::uint32_t odd = ((p >> 8) & kLanes) * a + ((q >> 8) & kLanes) * b + 0x00800080u;
        even = ((even + ((even >> 8) & kLanes)) >> 8) & kLanes;
        odd = ((odd + ((odd >> 8) & kLanes)) >> 8) & kLanes;
        const std::uint32_t mixed = even | (odd << 8);
        std::memcpy(out + i * 4, &mixed, 4);
    }
}

void BlendPlane(const PlaneRef& over, const PlaneRef& under, const PlaneRef& out, int width, int height, int alpha) {
    if (!over.bits || !under.bits || !out.bits || width <= 0 || height <= 0) return;
    for (int y = 0; y < height; ++y) {
        BlendRow(over.bits + y * over.stride, under.bits + y * under.stride, out.bits + y * out.stride, width, alpha);
    }
}

}  // namespace slideshow
