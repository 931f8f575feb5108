#include "kernels/SpatialEffects.h"

namespace vimbrel::effects {

// In place: every value is sharpened against the pixel after it and the one
// in the next row, both of which are still unchanged when it is written.
void Sharpen(const RgbFrame& frame) {
    const int w = frame.width, h = frame.height;
    if (frame.Empty()) {
        return;
    }
    for (int r = 0; r < h - 1; ++r) {
        uint8_t* row = frame.Row(r);
        const uint8_t* next = frame.Row(r + 1);
        for (int i = 0; i < (w - 1) * 3; ++i) {
            row[i] = ClampByte(3 * row[i] - next[i] - row[i + 3]);
        }
        for (int i = (w - 1) * 3; i < w * 3; ++i) {
            row[i] = ClampByte(2 * row[i] - next[i]);
        }
    }
    uint8_t* top = frame.Row(h - 1);
    for (int i = 0; i < (w - 1) * 3; ++i) {
        top[i] = ClampByte(2 * top[i] - top[i + 3]);
    }
}

}  // namespace vimbrel::effects
