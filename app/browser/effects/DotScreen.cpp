#include "effects/RandomEffects.h"

#include <cmath>

namespace vimbrel::browser {
namespace {

uint8_t CurvePoint(double value) { return ClampByte(static_cast<int>(value + 0.5)); }

std::array<uint8_t, 256> MakeDotScreenCurve() {
    std::array<uint8_t, 256> curve{};
    // A cube below mid gray keeps shadows dark; a near cube root above it
    // lifts the highlights.
    for (int v = 0; v < 128; ++v) {
        curve[v] = CurvePoint(127.0 * std::pow(v / 127.0, 3.0));
    }
    for (int v = 128; v < 256; ++v) {
        curve[v] = CurvePoint(128.0 + 127.0 * std::pow((v - 128) / 127.0, 0.33));
    }
    return curve;
}

}  // namespace

const std::array<uint8_t, 256>& DotScreenCurve() {
    static const std::array<uint8_t, 256> curve = MakeDotScreenCurve();
    return curve;
}

void DotScreen(const BgrxImage& image, IRandomSource& random) {
    const auto& curve = DotScreenCurve();
    for (int y = 0; y < image.height; ++y) {
        uint8_t* p = image.Row(y);
        for (int x = 0; x < image.width; ++x, p += 4) {
            const uint8_t v = curve[GrayOf(p)] > RandomBelow(random, 255) ? 255 : 0;
            p[0] = p[1] = p[2] = v;
        }
    }
}

}  // namespace vimbrel::browser
