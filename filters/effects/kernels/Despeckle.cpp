#include <cstdlib>

#include "kernels/SpatialEffects.h"

namespace vimbrel::effects {

void Despeckle(const RgbFrame& frame, int threshold) {
    const int w = frame.width, h = frame.height;
    if (frame.Empty() || w < 3 || h < 3) {
        return;  // no inner pixel
    }
    const CFrameCopy source(frame);
    const int last = (w - 1) * 3;
    for (int r = 1; r < h - 1; ++r) {
        const uint8_t* below = source.Row(r - 1);
        const uint8_t* mid = source.Row(r);
        const uint8_t* above = source.Row(r + 1);
        uint8_t* out = frame.Row(r);
        for (int i = 3; i < last; ++i) {
            const int m = (below[i - 3] + below[i] + below[i + 3] + mid[i - 3] + mid[i + 3] +
                           above[i - 3] + above[i] + above[i + 3]) >> 3;
            if (std::abs(m - mid[i]) < threshold) {
                out[i] = static_cast<uint8_t>(m);
            }
        }
    }
}

}  // namespace vimbrel::effects
