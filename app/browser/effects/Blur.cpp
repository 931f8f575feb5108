#include "effects/NeighbourhoodEffects.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace vimbrel::browser {

// A running sum over the window: the column entering on the right is added
// and the one leaving on the left taken away, so each pixel costs the same
// whatever the reach. Near the ends the window holds fewer columns and the
// mean divides by the columns it really holds.
void BlurRow(const uint8_t* source, uint8_t* target, int width) {
    int sum[3] = {0, 0, 0};
    int last = -1;  // rightmost column inside the window so far
    for (int x = 0; x < width; ++x) {
        const int right = std::min(x + kBlurReach, width - 1);
        while (last < right) {
            ++last;
            const uint8_t* p = source + static_cast<std::size_t>(last) * 4;
            sum[0] += p[0];
            sum[1] += p[1];
            sum[2] += p[2];
        }
        const int leaving = x - kBlurReach - 1;
        if (leaving >= 0) {
            const uint8_t* p = source + static_cast<std::size_t>(leaving) * 4;
            sum[0] -= p[0];
            sum[1] -= p[1];
            sum[2] -= p[2];
        }
        const int count = right - std::max(x - kBlurReach, 0) + 1;
        uint8_t* out = target + static_cast<std::size_t>(x) * 4;
        out[0] = static_cast<uint8_t>(sum[0] / count);
        out[1] = static_cast<uint8_t>(sum[1] / count);
        out[2] = static_cast<uint8_t>(sum[2] / count);
    }
}

void Blur(const BgrxImage& image) {
    std::vector<uint8_t> unprocessed(image.RowBytes());
    for (int y = 0; y < image.height; y += 2) {
        uint8_t* row = image.Row(y);
        std::memcpy(unprocessed.data(), row, unprocessed.size());
        BlurRow(unprocessed.data(), row, image.width);
    }
}

}  // namespace vimbrel::browser
