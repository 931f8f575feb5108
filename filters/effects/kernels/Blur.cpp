#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "kernels/SpatialEffects.h"
#include "simd/SimdLevel.h"

namespace vimbrel::effects {

namespace {

// The output of one row from the column sums of its block rows: columns from
// `first` on (all of them in the plain version). Up to four columns to the
// right are averaged; the last column repeats its neighbour.
void BlurColumnsFrom(int first, int w, int rows, int rowShift, const uint16_t* columnSum, uint8_t* out) {
    for (int k = first; k < w; ++k) {
        const int columns = std::min(4, w - k);
        for (int c = 0; c < 3; ++c) {
            int sum = 0;
            for (int n = 0; n < columns; ++n) {
                sum += columnSum[static_cast<std::size_t>(k + n) * 3 + c];
            }
            int v;
            switch (columns) {
            case 4: v = sum >> (2 + rowShift); break;
            case 3: v = sum / (3 * rows); break;
            case 2: v = sum >> (1 + rowShift); break;
            default:
                // A one-column frame has no neighbour and takes its own
                // block's mean.
                v = k > 0 ? out[3 * (k - 1) + c] : sum / rows;
                break;
            }
            out[3 * k + c] = static_cast<uint8_t>(v);
        }
    }
}

// Column sums of up to four rows fit 16 bits (4 x 255), and so do four of
// them added (4080): the loops below run in 16-bit vector lanes. Going down
// the frame, a row's sums are the last row's less the row that leaves the
// block (kept from before it was written) plus the row that joins it; the
// 16-bit sums may wrap on the way and still end exact.
template <bool kWholeBlocksFirst>
[[gnu::always_inline]] inline void BlurRowsBody(const RgbFrame& frame, uint16_t* sums, uint8_t* leaving) {
    const int w = frame.width, h = frame.height;
    const std::size_t rowBytes = static_cast<std::size_t>(w) * 3;
    bool sliding = false;
    for (int r = 0; r < h; ++r) {
        const int left = h - r;
        const int rows = left >= 4 ? 4 : (left >= 2 ? 2 : 1);
        const int rowShift = rows == 4 ? 2 : (rows == 2 ? 1 : 0);
        if (sliding && rows == 4) {
            const uint8_t* joining = frame.Row(r + 3);
            for (std::size_t i = 0; i < rowBytes; ++i) {
                sums[i] = static_cast<uint16_t>(sums[i] - leaving[i] + joining[i]);
            }
        } else {
            std::fill(sums, sums + rowBytes, uint16_t{0});
            for (int m = 0; m < rows; ++m) {
                const uint8_t* src = frame.Row(r + m);
                for (std::size_t i = 0; i < rowBytes; ++i) {
                    sums[i] = static_cast<uint16_t>(sums[i] + src[i]);
                }
            }
        }
        uint8_t* out = frame.Row(r);
        // The next row slides on from this one while four rows remain.
        sliding = kWholeBlocksFirst && rows == 4 && left - 1 >= 4;
        if (sliding) {
            std::memcpy(leaving, out, rowBytes);
        }
        int first = 0;
        if (kWholeBlocksFirst && w >= 4) {
            // Every column with three to its right: a sum of four, shifted.
            const std::size_t whole = static_cast<std::size_t>(w - 3) * 3;
            const int shift = 2 + rowShift;
            for (std::size_t i = 0; i < whole; ++i) {
                const int sum = sums[i] + sums[i + 3] + sums[i + 6] + sums[i + 9];
                out[i] = static_cast<uint8_t>(sum >> shift);
            }
            first = w - 3;
        }
        BlurColumnsFrom(first, w, rows, rowShift, sums, out);
    }
}

// The same loops compiled for AVX2, where the processor has it.
#if defined(__i386__) || defined(__x86_64__)
__attribute__((target("avx2"))) void BlurRowsAvx2(const RgbFrame& frame, uint16_t* sums, uint8_t* leaving) {
    BlurRowsBody<true>(frame, sums, leaving);
}
#endif

template <bool kWholeBlocksFirst>
void BlurRows(const RgbFrame& frame) {
    if (frame.Empty()) {
        return;
    }
    const std::size_t rowBytes = static_cast<std::size_t>(frame.width) * 3;
    std::vector<uint16_t> columnSum(rowBytes);
    std::vector<uint8_t> leaving(rowBytes);
#if defined(__i386__) || defined(__x86_64__)
    if (kWholeBlocksFirst && simd::ActiveSimdLevel() >= simd::SimdLevel::kAvx2) {
        BlurRowsAvx2(frame, columnSum.data(), leaving.data());
        return;
    }
#endif
    BlurRowsBody<kWholeBlocksFirst>(frame, columnSum.data(), leaving.data());
}

}  // namespace

// Each pixel becomes the mean of the block that starts at it: up to four
// columns to its right and four rows after it in memory. Because every block
// lies at or after its pixel, the pass can work in place, and the column sums
// of a row can be taken before any of that row is written.
void Blur(const RgbFrame& frame) { BlurRows<true>(frame); }

void BlurPlain(const RgbFrame& frame) { BlurRows<false>(frame); }

}  // namespace vimbrel::effects
