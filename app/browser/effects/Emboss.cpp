#include "effects/NeighbourhoodEffects.h"

namespace vimbrel::browser {

void EmbossRow(uint8_t* row, int width) {
    if (width <= 0) {
        return;
    }
    // The left neighbour is already rewritten when a pixel is reached, so
    // its unprocessed gray is carried along.
    int leftGray = GrayOf(row);
    row[0] = row[1] = row[2] = 125;
    uint8_t* p = row + 4;
    for (int x = 1; x < width; ++x, p += 4) {
        const int gray = GrayOf(p);
        int d = 3 * (gray - leftGray);
        d = d < -124 ? -124 : (d > 125 ? 125 : d);
        p[0] = p[1] = p[2] = static_cast<uint8_t>(125 + d);
        leftGray = gray;
    }
}

void Emboss(const BgrxImage& image) {
    for (int y = 0; y < image.height; ++y) {
        EmbossRow(image.Row(y), image.width);
    }
}

}  // namespace vimbrel::browser
