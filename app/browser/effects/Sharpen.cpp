#include "effects/NeighbourhoodEffects.h"

namespace vimbrel::browser {

// Works in place left to right: the right neighbour has not been rewritten
// yet, and neither has the next row, which the plane loop reaches later.
void SharpenRow(uint8_t* row, const uint8_t* nextRow, int width) {
    if (width <= 0) {
        return;
    }
    uint8_t* p = row;
    const int last = width - 1;
    if (nextRow != nullptr) {
        const uint8_t* n = nextRow;
        for (int x = 0; x < last; ++x, p += 4, n += 4) {
            for (int c = 0; c < 3; ++c) {
                p[c] = ClampByte(3 * p[c] - n[c] - p[4 + c]);
            }
        }
        for (int c = 0; c < 3; ++c) {
            p[c] = ClampByte(2 * p[c] - n[c]);
        }
        return;
    }
    // The top row has no next row; its last pixel has no neighbour at all.
    for (int x = 0; x < last; ++x, p += 4) {
        for (int c = 0; c < 3; ++c) {
            p[c] = ClampByte(2 * p[c] - p[4 + c]);
        }
    }
}

void Sharpen(const BgrxImage& image) {
    for (int y = 0; y < image.height; ++y) {
        const uint8_t* next = y + 1 < image.height ? image.Row(y + 1) : nullptr;
        SharpenRow(image.Row(y), next, image.width);
    }
}

}  // namespace vimbrel::browser
