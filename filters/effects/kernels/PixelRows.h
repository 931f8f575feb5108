#pragma once
// Whole-row pixel operations whose vector paths the processor chooses (see
// simd/SimdLevel.h): each dispatching function gives its plain twin's bytes
// at every level.

#include <cstddef>
#include <cstdint>

namespace vimbrel::effects {

// The row's pixels in reverse order, in place.
void ReverseRow(uint8_t* row, int width);
// The same for `count` rows, each `stride` bytes after the one before (a
// negative stride walks down); each row's successor is fetched meanwhile.
void ReverseRows(uint8_t* first, std::ptrdiff_t stride, int count, int width);
// dst pixel i set to src pixel n - 1 - i; the two must not overlap.
void ReverseCopy(const uint8_t* src, uint8_t* dst, int n);
// Two distinct rows exchanged, each reversed: a half turn of a pair of rows.
void ReverseSwapRows(uint8_t* a, uint8_t* b, int width);

// Every pixel set to its grey (30 R + 59 G + 11 B) / 100 in all three channels.
void GreyPixels(uint8_t* row, int width);
void GreyPixelsPlain(uint8_t* row, int width);

// grey[k] = (G >> 1) + (R >> 2) + (B >> 3) of pixel k: the edge detector's
// grey, each channel shifted before the sum.
void ShiftedGreyOf(const uint8_t* bgr, uint8_t* grey, int width);

// bgr pixel k set to grey[k] in all three channels. The two must not overlap.
void SpreadGrey(const uint8_t* grey, uint8_t* bgr, int width);

// The emboss of one row: the first pixel 125, every other one
// 125 + clamp(3 (grey - grey of the pixel before), -124, 125), in all three
// channels.
void EmbossPixels(uint8_t* row, int width);
void EmbossPixelsPlain(uint8_t* row, int width);

}  // namespace vimbrel::effects
