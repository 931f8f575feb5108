#include "kernels/SpatialEffects.h"

namespace vimbrel::effects {

void Jitter(const RgbFrame& frame, const int* offsets, int count, CScratch& scratch) {
    if (frame.Empty() || offsets == nullptr || count < 2) {
        return;
    }
    const CFrameCopy source(frame, scratch, 0);
    int index = 0;
    for (int r = 0; r < frame.height; ++r) {
        uint8_t* out = frame.Row(r);
        for (int k = 0; k < frame.width; ++k) {
            const int dx = offsets[index];
            const int dy = offsets[index + 1];
            index += 2;
            if (index + 1 >= count) {
                index = 0;
            }
            const int64_t sx = static_cast<int64_t>(k) + dx;
            const int64_t sy = static_cast<int64_t>(r) + dy;
            if (sx >= 0 && sx < frame.width && sy >= 0 && sy < frame.height) {
                const uint8_t* p = source.Pixel(static_cast<int>(sx), static_cast<int>(sy));
                out[3 * k] = p[0];
                out[3 * k + 1] = p[1];
                out[3 * k + 2] = p[2];
            }
        }
    }
}

}  // namespace vimbrel::effects
