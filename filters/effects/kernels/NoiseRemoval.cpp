#include <cstdlib>
#include <cstring>
#include <utility>

#include "kernels/SpatialEffects.h"
#include "kernels/SpatialRowsSimd.h"
#include "simd/SimdLevel.h"

namespace vimbrel::effects {

// Works down the frame keeping only the original copies of the row being
// written and the one before it; the row after it is still untouched.
// Column sums of three rows turn the eight-neighbour sum into three adds.
void Despeckle(const RgbFrame& frame, int threshold, CScratch& scratch) {
    const int w = frame.width, h = frame.height;
    if (frame.Empty() || w < 3 || h < 3) {
        return;  // no inner pixel
    }
    const std::size_t rowBytes = static_cast<std::size_t>(w) * 3;
    uint8_t* memory = scratch.Bytes(0, rowBytes * 2 + rowBytes * sizeof(uint16_t));
    uint8_t* previous = memory;
    uint8_t* current = memory + rowBytes;
    uint16_t* columnSum = reinterpret_cast<uint16_t*>(memory + rowBytes * 2);
    std::memcpy(previous, frame.Row(0), rowBytes);
    const int last = (w - 1) * 3;
    const simd::SimdLevel level = simd::ActiveSimdLevel();
    for (int r = 1; r < h - 1; ++r) {
        uint8_t* out = frame.Row(r);
        const uint8_t* above = frame.Row(r + 1);
        std::memcpy(current, out, rowBytes);
        const int summed = level >= simd::SimdLevel::kAvx2
                               ? spatial::ColumnSumsAvx2(previous, current, above, static_cast<int>(rowBytes),
                                                         columnSum)
                               : 0;
        for (std::size_t i = static_cast<std::size_t>(summed); i < rowBytes; ++i) {
            columnSum[i] = static_cast<uint16_t>(previous[i] + current[i] + above[i]);
        }
        // Every inner byte is written, the mean or the value it had: a
        // select instead of a conditional store lets the loop vectorise.
        int i = 3;
        if (level >= simd::SimdLevel::kAvx2) {
            i = spatial::DespeckleRowAvx2(current, columnSum, last, threshold, out);
        }
        if (level >= simd::SimdLevel::kSse2) {
            i += spatial::DespeckleRowSse2(current + (i - 3), columnSum + (i - 3), last - (i - 3), threshold,
                                           out + (i - 3)) -
                 3;
        }
        for (; i < last; ++i) {
            const int value = current[i];
            const int m = (columnSum[i - 3] + columnSum[i] + columnSum[i + 3] - value) >> 3;
            out[i] = static_cast<uint8_t>(std::abs(m - value) < threshold ? m : value);
        }
        std::swap(previous, current);
    }
}

}  // namespace vimbrel::effects
