#include <algorithm>
#include <vector>

#include "kernels/SpatialEffects.h"

namespace vimbrel::effects {

// Each pixel becomes the mean of the block that starts at it: up to four
// columns to its right and four rows after it in memory. Because every block
// lies at or after its pixel, the pass can work in place, and the column sums
// of a row can be taken before any of that row is written.
void Blur(const RgbFrame& frame) {
    const int w = frame.width, h = frame.height;
    if (frame.Empty()) {
        return;
    }
    std::vector<int> columnSum(static_cast<std::size_t>(w) * 3);
    for (int r = 0; r < h; ++r) {
        const int left = h - r;
        const int rows = left >= 4 ? 4 : (left >= 2 ? 2 : 1);
        const int rowShift = rows == 4 ? 2 : (rows == 2 ? 1 : 0);
        std::fill(columnSum.begin(), columnSum.end(), 0);
        for (int m = 0; m < rows; ++m) {
            const uint8_t* src = frame.Row(r + m);
            for (int i = 0; i < w * 3; ++i) {
                columnSum[static_cast<std::size_t>(i)] += src[i];
            }
        }
        uint8_t* out = frame.Row(r);
        for (int k = 0; k < w; ++k) {
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
                    // The last column repeats its neighbour; a one-column
                    // frame has none and takes its own block's mean.
                    v = k > 0 ? out[3 * (k - 1) + c] : sum / rows;
                    break;
                }
                out[3 * k + c] = static_cast<uint8_t>(v);
            }
        }
    }
}

}  // namespace vimbrel::effects
