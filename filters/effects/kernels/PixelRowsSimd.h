#pragma once
// The vector halves of PixelRows: each does the leading whole blocks of a
// row and returns how many pixels it did; the plain code finishes the rest.
// Only called at a level the processor offers.

#include <cstddef>
#include <cstdint>

namespace vimbrel::effects::rows {

// Byte shuffles over 16 pixels held as 48 bytes in three vectors; a lane
// marked -128 comes out zero. Made once, shared by the SSSE3 and AVX2 paths
// (which run the same shuffles in each 128-bit half).
struct RowMasks {
    // reverse[k][v]: bytes of reversed output vector k that come from input vector v.
    alignas(16) int8_t reverse[3][3][16];
    // Five pixels (15 bytes) reversed into bytes 1..15; byte 0 zero.
    alignas(16) int8_t reverseFive[16];
    // The first 8 bytes of a 16-pixel block reversed, from its bytes 32..47.
    alignas(16) int8_t reverseLast[16];
    // Blue and green of pixels 8h..8h+7 as pairs, from input vector v (h: half).
    alignas(16) int8_t blueGreen[2][3][16];
    // Red of the same pixels in the even bytes, zero in the odd ones.
    alignas(16) int8_t red[2][3][16];
    // Output vector k of sixteen grey bytes spread to three channels each.
    alignas(16) int8_t spread[3][16];

    RowMasks();
};

extern const RowMasks kRowMasks;

// Reverse the outer blocks of each row in pairs; returns the pixels done at
// each end of every row. A middle of fewer than 16 pixels is left. The AVX2
// level takes the reversals too: they are bound by their stores, and 256-bit
// shuffles would stay in their 128-bit halves.
int ReverseRowsSsse3(uint8_t* first, std::ptrdiff_t stride, int count, int width);
// Does pixels [0, done) of a and [width - done, width) of b.
int ReverseSwapRowsSsse3(uint8_t* a, uint8_t* b, int width);
// Pixels [0, done) of dst from the last `done` of src, reversed.
int ReverseCopySsse3(const uint8_t* src, uint8_t* dst, int n);
int GreyPixelsSsse3(uint8_t* row, int width);
int ShiftedGreySsse3(const uint8_t* bgr, uint8_t* grey, int width);
int SpreadGreySsse3(const uint8_t* grey, uint8_t* bgr, int width);
// previousGrey: the grey of the last pixel done, for the plain finish.
int EmbossPixelsSsse3(uint8_t* row, int width, int& previousGrey);

int ReverseCopyAvx2(const uint8_t* src, uint8_t* dst, int n);
int GreyPixelsAvx2(uint8_t* row, int width);
int ShiftedGreyAvx2(const uint8_t* bgr, uint8_t* grey, int width);
int SpreadGreyAvx2(const uint8_t* grey, uint8_t* bgr, int width);
int EmbossPixelsAvx2(uint8_t* row, int width, int& previousGrey);

}  // namespace vimbrel::effects::rows
