#include "effects/NeighbourhoodEffects.h"

#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

namespace vimbrel::browser {
namespace {

// One row off the border. `columnSums` holds, per column and channel, the
// sum of the three unprocessed rows; three neighbouring columns less the
// pixel itself are its 8 neighbours.
void SmoothRow(const uint8_t* middle, const int* columnSums, uint8_t* out, int width, int threshold) {
    for (int x = 1; x + 1 < width; ++x) {
        const int* sums = columnSums + static_cast<std::size_t>(x) * 3;
        const uint8_t* v = middle + static_cast<std::size_t>(x) * 4;
        uint8_t* target = out + static_cast<std::size_t>(x) * 4;
        for (int c = 0; c < 3; ++c) {
            const int mean = (sums[c - 3] + sums[c] + sums[c + 3] - v[c]) / 8;
            if (std::abs(mean - v[c]) < threshold) {
                target[c] = static_cast<uint8_t>(mean);
            }
        }
    }
}

}  // namespace

void SelectiveSmoothing(const BgrxImage& image, int threshold) {
    const int width = image.width, height = image.height;
    if (width < 3 || height < 3) {
        return;  // every pixel lies on the border
    }
    const std::size_t rowBytes = image.RowBytes();
    // The row below and the row itself as they were; the row above is still
    // unprocessed in the picture when a row is rewritten.
    std::vector<uint8_t> below(rowBytes), middle(rowBytes);
    std::vector<int> columnSums(static_cast<std::size_t>(width) * 3);
    std::memcpy(below.data(), image.Row(0), rowBytes);
    std::memcpy(middle.data(), image.Row(1), rowBytes);
    for (int y = 1; y + 1 < height; ++y) {
        const uint8_t* above = image.Row(y + 1);
        for (std::size_t x = 0; x < static_cast<std::size_t>(width); ++x) {
            for (std::size_t c = 0; c < 3; ++c) {
                columnSums[x * 3 + c] = below[x * 4 + c] + middle[x * 4 + c] + above[x * 4 + c];
            }
        }
        SmoothRow(middle.data(), columnSums.data(), image.Row(y), width, threshold);
        std::swap(below, middle);
        std::memcpy(middle.data(), above, rowBytes);
    }
}

}  // namespace vimbrel::browser
