#pragma once
// Whole-row pixel operations whose vector paths the processor chooses (see
// simd/SimdLevel.h): each dispatching function gives its plain twin's bytes
// at every level.

#include <cstdint>

namespace vimbrel::effects {

// dst pixel p = src pixel width - 1 - p. dst and src must not overlap.
void ReversePixelsInto(uint8_t* dst, const uint8_t* src, int width);
void ReversePixelsIntoPlain(uint8_t* dst, const uint8_t* src, int width);

// Every pixel set to its grey (30 R + 59 G + 11 B) / 100 in all three channels.
void GreyPixels(uint8_t* row, int width);
void GreyPixelsPlain(uint8_t* row, int width);

// The emboss of one row: the first pixel 125, every other one
// 125 + clamp(3 (grey - grey of the pixel before), -124, 125), in all three
// channels.
void EmbossPixels(uint8_t* row, int width);
void EmbossPixelsPlain(uint8_t* row, int width);

}  // namespace vimbrel::effects
