#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "kernels/PixelRows.h"
#include "kernels/SpatialEffects.h"
#include "kernels/SpatialRowsSimd.h"
#include "simd/SimdLevel.h"

namespace vimbrel::effects {

void EdgeDetect(const RgbFrame& frame, CScratch& scratch) {
    const int w = frame.width, h = frame.height;
    if (frame.Empty()) {
        return;
    }
    const std::size_t n = static_cast<std::size_t>(w) * h;
    Despeckle(frame, 30, scratch);  // uses slot 0 only while it runs
    uint8_t* grey = scratch.Bytes(1, n);
    uint8_t* magnitude = scratch.Bytes(2, n);
    // The border stays 0; every inner magnitude is written below.
    std::memset(magnitude, 0, static_cast<std::size_t>(w));
    std::memset(magnitude + n - static_cast<std::size_t>(w), 0, static_cast<std::size_t>(w));
    for (int r = 1; r < h - 1; ++r) {
        magnitude[static_cast<std::size_t>(r) * w] = 0;
        magnitude[static_cast<std::size_t>(r) * w + w - 1] = 0;
    }
    for (int r = 0; r < h; ++r) {
        ShiftedGreyOf(frame.Row(r), grey + static_cast<std::size_t>(r) * w, w);
    }
    int largest = 0;
    const simd::SimdLevel level = simd::ActiveSimdLevel();
    for (int r = 1; r < h - 1; ++r) {
        const uint8_t* below = grey + static_cast<std::size_t>(r - 1) * w;
        const uint8_t* mid = below + w;
        const uint8_t* above = mid + w;
        uint8_t* out = magnitude + static_cast<std::size_t>(r) * w;
        int k = 1;
        if (level >= simd::SimdLevel::kAvx2) {
            k = spatial::SobelRowAvx2(below, mid, above, w, out, largest);
        }
        for (; k < w - 1; ++k) {
            const int gx = 2 * (mid[k + 1] - mid[k - 1]) + below[k + 1] + above[k + 1] - below[k - 1] - above[k - 1];
            const int gy = below[k - 1] + 2 * below[k] + below[k + 1] - above[k - 1] - 2 * above[k] - above[k + 1];
            int m = std::abs(gx) + std::abs(gy);
            if (m > 254) {
                m = 255;
            }
            out[k] = static_cast<uint8_t>(m);
            if (m > largest) {
                largest = m;
            }
        }
    }
    // A faint picture is stretched so its strongest edge becomes white.
    // One division per magnitude, not per pixel.
    const bool stretch = largest >= 1 && largest <= 254;
    uint8_t shown[256];
    for (int m = 0; m < 256; ++m) {
        shown[m] = static_cast<uint8_t>(stretch ? std::min(m, largest) * 255 / largest : m);
    }
    if (stretch) {
        std::size_t i = 0;
        if (level >= simd::SimdLevel::kAvx2) {
            i = spatial::StretchAvx2(magnitude, n, largest, shown);
        }
        for (; i < n; ++i) {
            magnitude[i] = shown[magnitude[i]];
        }
    }
    for (int r = 0; r < h; ++r) {
        SpreadGrey(magnitude + static_cast<std::size_t>(r) * w, frame.Row(r), w);
    }
}

}  // namespace vimbrel::effects
