// Byte sizes of uncompressed bottom-up or top-down DIB frames. Portable so the
// pixel kernels and the detection code can size their buffers the same way
// the filters do; every result is overflow-checked because the numbers come
// from media types that any upstream filter may fill in.
#pragma once

#include <cstdint>

namespace imagegeometry {

// Bytes of one row, padded to a multiple of four as DIB rows are.
// False for a non-positive width, a zero bit count or an overflow.
bool RowStride(int32_t width, uint16_t bitCount, uint32_t* stride);

// Bytes of a whole frame: stride x |height|. A negative height (top-down)
// counts by its magnitude. False for a zero height or an overflow.
bool FrameBytes(int32_t width, int32_t height, uint16_t bitCount, uint32_t* bytes);

// Where a frame's rows lie in a sample of `length` bytes, the one rule both
// filters read frames by: rows are RowStride bytes apart, as in every DIB
// DirectShow carries, and the last row may lack its padding. False when the
// sample is too short for that (such a sample is passed on untouched) or the
// header is nonsense; *stride is then left alone.
bool SampleRowStride(int32_t width, int32_t height, uint16_t bitCount, uint64_t length, uint32_t* stride);

// The larger of two sizes that both describe one frame, for buffers that must
// hold a frame whatever the upstream filter claimed its sample size to be.
inline uint32_t LargerSize(uint32_t a, uint32_t b) { return a > b ? a : b; }

}  // namespace imagegeometry
