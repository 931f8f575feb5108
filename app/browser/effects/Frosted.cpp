#include "effects/RandomEffects.h"

#include <vector>

namespace vimbrel::browser {

void Frosted(const BgrxImage& image, IRandomSource& random) {
    std::vector<int8_t> offsets(kFrostedTableSize);
    const CPictureCopy source(image);
    for (int8_t& offset : offsets) {
        offset = static_cast<int8_t>(RandomBelow(random, 2 * kFrostedReach + 1) - kFrostedReach);
    }
    std::size_t k = 0;
    for (int y = 0; y < image.height; ++y) {
        uint8_t* p = image.Row(y);
        for (int x = 0; x < image.width; ++x, p += 4) {
            if (k + 1 >= offsets.size()) {
                k = 0;
            }
            const int fromX = x + offsets[k];
            const int fromY = y + offsets[k + 1];
            k += 2;
            if (fromX < 0 || fromX >= image.width || fromY < 0 || fromY >= image.height) {
                continue;
            }
            const uint8_t* from = source.Pixel(fromX, fromY);
            p[0] = from[0];
            p[1] = from[1];
            p[2] = from[2];
        }
    }
}

}  // namespace vimbrel::browser
