#include <algorithm>

#include "kernels/PointEffects.h"
#include "kernels/SpatialEffects.h"

namespace vimbrel::effects {

void Emboss(const RgbFrame& frame) {
    if (frame.Empty()) {
        return;
    }
    for (int r = 0; r < frame.height; ++r) {
        uint8_t* p = frame.Row(r);
        int previous = 0;
        for (int k = 0; k < frame.width; ++k, p += 3) {
            const int g = GreyOf(p);
            const int v = k == 0 ? 125 : 125 + std::clamp(3 * (g - previous), -124, 125);
            previous = g;
            p[0] = p[1] = p[2] = static_cast<uint8_t>(v);
        }
    }
}

}  // namespace vimbrel::effects
