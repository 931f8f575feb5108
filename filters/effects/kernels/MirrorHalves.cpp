#include "kernels/PixelRows.h"
#include "kernels/SpatialEffects.h"

namespace vimbrel::effects {

// The right half of every row is its left half reversed (an odd row's middle
// pixel mirrors itself and stays); the left half is only read, so no scratch
// copy is needed.
void MirrorHalves(const RgbFrame& frame) {
    if (frame.Empty()) {
        return;
    }
    const int w = frame.width, half = w / 2;
    for (int r = 0; r < frame.height; ++r) {
        uint8_t* row = frame.Row(r);
        ReverseCopy(row, row + 3 * (w - half), half);
    }
}

}  // namespace vimbrel::effects
