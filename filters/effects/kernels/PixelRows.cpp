#include "kernels/PixelRows.h"

#include <algorithm>
#include <cstring>

#include "kernels/PixelRowsSimd.h"
#include "kernels/PointEffects.h"
#include "simd/SimdLevel.h"

namespace vimbrel::effects {
namespace rows {

namespace {
int8_t Lane(int source, int vector) { return static_cast<int8_t>(source / 16 == vector ? source % 16 : -128); }
}  // namespace

RowMasks::RowMasks() {
    for (int v = 0; v < 3; ++v) {
        for (int i = 0; i < 16; ++i) {
            for (int k = 0; k < 3; ++k) {
                const int o = 16 * k + i;  // output byte: channel o % 3 of pixel o / 3
                reverse[k][v][i] = Lane(45 - 3 * (o / 3) + o % 3, v);
            }
            for (int h = 0; h < 2; ++h) {
                const int pixel = 8 * h + i / 2;
                blueGreen[h][v][i] = Lane(3 * pixel + i % 2, v);
                red[h][v][i] = i % 2 ? static_cast<int8_t>(-128) : Lane(3 * pixel + 2, v);
            }
        }
    }
    for (int k = 0; k < 3; ++k)
        for (int i = 0; i < 16; ++i) spread[k][i] = static_cast<int8_t>((16 * k + i) / 3);
    for (int o = 0; o < 16; ++o) {
        // Byte o - 1 of five pixels reversed (byte 0 spare); byte o of a
        // whole block reversed, from its bytes 32 on (its last pixel at 45).
        reverseFive[o] = static_cast<int8_t>(o == 0 ? -128 : 12 - 3 * ((o - 1) / 3) + (o - 1) % 3);
        reverseLast[o] = static_cast<int8_t>(o < 8 ? 45 - 3 * (o / 3) + o % 3 - 32 : -128);
    }
}

const RowMasks kRowMasks;

}  // namespace rows

namespace {

using simd::ActiveSimdLevel;
using simd::SimdLevel;

void SwapPixel(uint8_t* a, uint8_t* b) {
    for (int c = 0; c < 3; ++c) {
        const uint8_t t = a[c];
        a[c] = b[c];
        b[c] = t;
    }
}

void GreyFrom(uint8_t* row, int from, int width) {
    for (uint8_t* p = row + 3 * from; p < row + 3 * width; p += 3) {
        p[0] = p[1] = p[2] = static_cast<uint8_t>(GreyOf(p));
    }
}

void EmbossFrom(uint8_t* row, int from, int width, int previous) {
    for (int k = from; k < width; ++k) {
        uint8_t* p = row + 3 * k;
        const int g = GreyOf(p);
        const int v = k == 0 ? 125 : 125 + std::clamp(3 * (g - previous), -124, 125);
        previous = g;
        p[0] = p[1] = p[2] = static_cast<uint8_t>(v);
    }
}

}  // namespace

void ReverseRow(uint8_t* row, int width) { ReverseRows(row, 0, 1, width); }

void ReverseRows(uint8_t* first, std::ptrdiff_t stride, int count, int width) {
    int done = 0;
    if (ActiveSimdLevel() >= SimdLevel::kSsse3) {
        done = rows::ReverseRowsSsse3(first, stride, count, width);
    }
    if (width - 2 * done < 2) {
        return;
    }
    uint8_t* row = first;
    for (int r = 0; r < count; ++r, row += stride) {
        for (int i = done, j = width - 1 - done; i < j; ++i, --j) {
            SwapPixel(row + 3 * i, row + 3 * j);
        }
    }
}

void ReverseCopy(const uint8_t* src, uint8_t* dst, int n) {
    const SimdLevel level = ActiveSimdLevel();
    int done = 0;
    if (level >= SimdLevel::kAvx2) {
        done = rows::ReverseCopyAvx2(src, dst, n);
    }
    if (level >= SimdLevel::kSsse3) {
        // What is left of dst takes the first n - done pixels of src.
        done += rows::ReverseCopySsse3(src, dst + 3 * done, n - done);
    }
    for (int i = done; i < n; ++i) {
        std::memcpy(dst + 3 * i, src + 3 * (n - 1 - i), 3);
    }
}

void ReverseSwapRows(uint8_t* a, uint8_t* b, int width) {
    int done = 0;
    if (ActiveSimdLevel() >= SimdLevel::kSsse3) {
        done = rows::ReverseSwapRowsSsse3(a, b, width);
    }
    for (int p = done; p < width; ++p) {
        SwapPixel(a + 3 * p, b + 3 * (width - 1 - p));
    }
}

void GreyPixelsPlain(uint8_t* row, int width) { GreyFrom(row, 0, width); }

void GreyPixels(uint8_t* row, int width) {
    const SimdLevel level = ActiveSimdLevel();
    int done = 0;
    if (level >= SimdLevel::kAvx2) {
        done = rows::GreyPixelsAvx2(row, width);
    } else if (level >= SimdLevel::kSsse3) {
        done = rows::GreyPixelsSsse3(row, width);
    }
    GreyFrom(row, done, width);
}

void ShiftedGreyOf(const uint8_t* bgr, uint8_t* grey, int width) {
    const SimdLevel level = ActiveSimdLevel();
    int done = 0;
    if (level >= SimdLevel::kAvx2) {
        done = rows::ShiftedGreyAvx2(bgr, grey, width);
    } else if (level >= SimdLevel::kSsse3) {
        done = rows::ShiftedGreySsse3(bgr, grey, width);
    }
    for (int k = done; k < width; ++k) {
        const uint8_t* p = bgr + 3 * k;
        grey[k] = static_cast<uint8_t>((p[1] >> 1) + (p[2] >> 2) + (p[0] >> 3));
    }
}

void SpreadGrey(const uint8_t* grey, uint8_t* bgr, int width) {
    const SimdLevel level = ActiveSimdLevel();
    int done = 0;
    if (level >= SimdLevel::kAvx2) {
        done = rows::SpreadGreyAvx2(grey, bgr, width);
    } else if (level >= SimdLevel::kSsse3) {
        done = rows::SpreadGreySsse3(grey, bgr, width);
    }
    for (int k = done; k < width; ++k) {
        bgr[3 * k] = bgr[3 * k + 1] = bgr[3 * k + 2] = grey[k];
    }
}

void EmbossPixelsPlain(uint8_t* row, int width) { EmbossFrom(row, 0, width, 0); }

void EmbossPixels(uint8_t* row, int width) {
    const SimdLevel level = ActiveSimdLevel();
    int done = 0, previous = 0;
    if (level >= SimdLevel::kAvx2) {
        done = rows::EmbossPixelsAvx2(row, width, previous);
    } else if (level >= SimdLevel::kSsse3) {
        done = rows::EmbossPixelsSsse3(row, width, previous);
    }
    EmbossFrom(row, done, width, previous);
}

}  // namespace vimbrel::effects
