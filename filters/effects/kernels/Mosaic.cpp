#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "kernels/SpatialEffects.h"

namespace vimbrel::effects {
namespace {

int MosaicSide(int sizeClass) { return 3 << std::clamp(sizeClass, 0, 3); }

}  // namespace

// A band of block rows at a time: its rows summed column by column (at most
// 24 rows of 255 fit 16 bits, and the loop vectorises), each block's sum
// taken from those column sums, then one row of block means written to
// every row of the band. Every pixel is read once and written once.
void Mosaic(const RgbFrame& frame, int sizeClass) {
    if (frame.Empty()) {
        return;
    }
    const int side = MosaicSide(sizeClass);
    const std::size_t rowBytes = static_cast<std::size_t>(frame.width) * 3;
    std::vector<uint16_t> columnSum(rowBytes);
    std::vector<uint8_t> means(rowBytes);
    for (int top = 0; top < frame.height; top += side) {
        const int rows = std::min(side, frame.height - top);
        std::fill(columnSum.begin(), columnSum.end(), uint16_t{0});
        for (int r = top; r < top + rows; ++r) {
            const uint8_t* p = frame.Row(r);
            uint16_t* sum = columnSum.data();
            for (std::size_t i = 0; i < rowBytes; ++i) {
                sum[i] = static_cast<uint16_t>(sum[i] + p[i]);
            }
        }
        for (int leftCol = 0; leftCol < frame.width; leftCol += side) {
            const int cols = std::min(side, frame.width - leftCol);
            uint32_t sum[3] = {0, 0, 0};
            const uint16_t* s = columnSum.data() + 3 * leftCol;
            for (int k = 0; k < cols * 3; k += 3) {
                sum[0] += s[k];
                sum[1] += s[k + 1];
                sum[2] += s[k + 2];
            }
            const uint32_t count = static_cast<uint32_t>(rows * cols);
            uint8_t* m = means.data() + 3 * leftCol;
            for (int k = 0; k < cols * 3; k += 3) {
                m[k] = static_cast<uint8_t>(sum[0] / count);
                m[k + 1] = static_cast<uint8_t>(sum[1] / count);
                m[k + 2] = static_cast<uint8_t>(sum[2] / count);
            }
        }
        for (int r = top; r < top + rows; ++r) {
            std::memcpy(frame.Row(r), means.data(), rowBytes);
        }
    }
}

void MosaicPlain(const RgbFrame& frame, int sizeClass) {
    if (frame.Empty()) {
        return;
    }
    const int side = MosaicSide(sizeClass);
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
