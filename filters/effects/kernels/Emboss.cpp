#include "kernels/PixelRows.h"
#include "kernels/SpatialEffects.h"

namespace vimbrel::effects {

void Emboss(const RgbFrame& frame) {
    if (frame.Empty()) {
        return;
    }
    for (int r = 0; r < frame.height; ++r) {
        EmbossPixels(frame.Row(r), frame.width);
    }
}

void EmbossPlain(const RgbFrame& frame) {
    if (frame.Empty()) {
        return;
    }
    for (int r = 0; r < frame.height; ++r) {
        EmbossPixelsPlain(frame.Row(r), frame.width);
    }
}

}  // namespace vimbrel::effects
