#include <algorithm>
#include <cstdint>
#include <vector>

#include "kernels/SpatialEffects.h"

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
// them added (4080): the loops below run in 16-bit vector lanes.
template <bool kWholeBlocksFirst>
void BlurRows(const RgbFrame& frame) {
    const int w = frame.width, h = frame.height;
    if (frame.Empty()) {
        return;
    }
    const std::size_t rowBytes = static_cast<std::size_t>(w) * 3;
    std::vector<uint16_t> columnSum(rowBytes);
    uint16_t* sums = columnSum.data();
    for (int r = 0; r < h; ++r) {
        const int left = h - r;
        const int rows = left >= 4 ? 4 : (left >= 2 ? 2 : 1);
        const int rowShift = rows == 4 ? 2 : (rows == 2 ? 1 : 0);
        std::fill(columnSum.begin(), columnSum.end(), uint16_t{0});
        for (int m = 0; m < rows; ++m) {
            const uint8_t* src = frame.Row(r + m);
            for (std::size_t i = 0; i < rowBytes; ++i) {
                sums[i] = static_cast<uint16_t>(sums[i] + src[i]);
            }
        }
        uint8_t* out = frame.Row(r);
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

}  // namespace

// Each pixel becomes the mean of the block that starts at it: up to four
// columns to its right and four rows after it in memory. Because every block
// lies at or after its pixel, the pass can work in place, and the column sums
// of a row can be taken before any of that row is written.
void Blur(const RgbFrame& frame) { BlurRows<true>(frame); }

void BlurPlain(const RgbFrame& frame) { BlurRows<false>(frame); }

}  // namespace vimbrel::effects
