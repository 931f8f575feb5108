#include <cstring>

#include "kernels/SpatialEffects.h"

namespace vimbrel::effects {

// Every column from w / 2 on copies a column of the left half, which this pass
// never writes, so no scratch copy is needed.
void MirrorHalves(const RgbFrame& frame) {
    if (frame.Empty()) {
        return;
    }
    const int w = frame.width;
    for (int r = 0; r < frame.height; ++r) {
        uint8_t* row = frame.Row(r);
        for (int k = w / 2; k < w; ++k) {
            std::memmove(row + 3 * k, row + 3 * (w - 1 - k), 3);
        }
    }
}

}  // namespace vimbrel::effects
