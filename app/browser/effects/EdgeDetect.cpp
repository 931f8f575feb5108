#include "effects/NeighbourhoodEffects.h"

#include <cstdlib>
#include <vector>

namespace vimbrel::browser {
namespace {

// The gradient of the coarse gray around (x, y) off the border; `below` and
// `above` are the previous and next buffer rows of the gray plane.
int GradientMagnitude(const uint8_t* below, const uint8_t* middle, const uint8_t* above, int x) {
    const int gx = 2 * (middle[x + 1] - middle[x - 1]) + above[x + 1] + below[x + 1] - above[x - 1] - below[x - 1];
    const int gy = 2 * (below[x] - above[x]) + below[x - 1] + below[x + 1] - above[x - 1] - above[x + 1];
    const int m = std::abs(gx) + std::abs(gy);
    return m > 254 ? 255 : m;
}

}  // namespace

void EdgeDetect(const BgrxImage& image) {
    const int width = image.width, height = image.height;
    // Made before the smoothing writes anything, so a failed allocation
    // leaves the picture as it was.
    std::vector<uint8_t> gray(image.PixelCount());
    SelectiveSmoothing(image, kEdgeSmoothingThreshold);

    const std::size_t w = static_cast<std::size_t>(width);
    for (int y = 0; y < height; ++y) {
        const uint8_t* p = image.Row(y);
        uint8_t* g = gray.data() + static_cast<std::size_t>(y) * w;
        for (int x = 0; x < width; ++x, p += 4) {
            g[x] = static_cast<uint8_t>(CoarseGrayOf(p));
        }
    }

    int strongest = 0;
    for (int y = 0; y < height; ++y) {
        uint8_t* p = image.Row(y);
        const bool borderRow = y == 0 || y + 1 == height;
        const uint8_t* middle = gray.data() + static_cast<std::size_t>(y) * w;
        for (int x = 0; x < width; ++x, p += 4) {
            int m = 0;
            if (!borderRow && x > 0 && x + 1 < width) {
                m = GradientMagnitude(middle - w, middle, middle + w, x);
            }
            p[0] = p[1] = p[2] = static_cast<uint8_t>(m);
            strongest = m > strongest ? m : strongest;
        }
    }

    // Faint pictures are stretched so that their strongest edge is white;
    // a picture without edges stays black rather than dividing by zero.
    if (strongest == 0 || strongest > 254) {
        return;
    }
    for (int y = 0; y < height; ++y) {
        uint8_t* p = image.Row(y);
        for (int x = 0; x < width; ++x, p += 4) {
            p[0] = p[1] = p[2] = static_cast<uint8_t>(p[0] * 255 / strongest);
        }
    }
}

}  // namespace vimbrel::browser
