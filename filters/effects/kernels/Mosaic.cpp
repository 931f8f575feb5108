#include <algorithm>
#include <cstdint>

#include "kernels/SpatialEffects.h"

namespace vimbrel::effects {

void Mosaic(const RgbFrame& frame, int sizeClass) {
    if (frame.Empty()) {
        return;
    }
    const int side = 3 << std::clamp(sizeClass, 0, 3);
    for (int top = 0; top < frame.height; top += side) {
        const int rows = std::min(side, frame.height - top);
        for (int leftCol = 0; leftCol < frame.width; leftCol += side) {
            const int cols = std::min(side, frame.width - leftCol);
            uint32_t sum[3] = {0, 0, 0};
            for (int r = top; r < top + rows; ++r) {
                const uint8_t* p = frame.Row(r) + 3 * leftCol;
                for (int k = 0; k < cols * 3; k += 3) {
                    sum[0] += p[k];
                    sum[1] += p[k + 1];
                    sum[2] += p[k + 2];
                }
            }
            const uint32_t count = static_cast<uint32_t>(rows * cols);
            const uint8_t mean[3] = {static_cast<uint8_t>(sum[0] / count), static_cast<uint8_t>(sum[1] / count),
                                     static_cast<uint8_t>(sum[2] / count)};
            for (int r = top; r < top + rows; ++r) {
                uint8_t* p = frame.Row(r) + 3 * leftCol;
                for (int k = 0; k < cols * 3; k += 3) {
                    p[k] = mean[0];
                    p[k + 1] = mean[1];
                    p[k + 2] = mean[2];
                }
            }
        }
    }
}

}  // namespace vimbrel::effects
