#include "effects/NeighbourhoodEffects.h"

#include <algorithm>

namespace vimbrel::browser {

int MosaicBlockSize(int width, int height) {
    if (width <= 200 && height <= 150) {
        return 3;
    }
    if (width > 800 || height > 600) {
        return 24;
    }
    if (width > 400 || height > 300) {
        return 12;
    }
    return 6;
}

void Mosaic(const BgrxImage& image) {
    const int block = MosaicBlockSize(image.width, image.height);
    for (int bottom = 0; bottom < image.height; bottom += block) {
        const int top = std::min(bottom + block, image.height);
        for (int left = 0; left < image.width; left += block) {
            const int right = std::min(left + block, image.width);
            // At most 24 x 24 pixels of 255: far inside 32 bits.
            uint32_t sum[3] = {0, 0, 0};
            for (int y = bottom; y < top; ++y) {
                const uint8_t* p = image.Pixel(left, y);
                for (int x = left; x < right; ++x, p += 4) {
                    sum[0] += p[0];
                    sum[1] += p[1];
                    sum[2] += p[2];
                }
            }
            const uint32_t count = static_cast<uint32_t>((top - bottom) * (right - left));
            const uint8_t mean[3] = {static_cast<uint8_t>(sum[0] / count), static_cast<uint8_t>(sum[1] / count),
                                     static_cast<uint8_t>(sum[2] / count)};
            for (int y = bottom; y < top; ++y) {
                uint8_t* p = image.Pixel(left, y);
                for (int x = left; x < right; ++x, p += 4) {
                    p[0] = mean[0];
                    p[1] = mean[1];
                    p[2] = mean[2];
                }
            }
        }
    }
}

}  // namespace vimbrel::browser
