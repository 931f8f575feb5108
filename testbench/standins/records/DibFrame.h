// Video frames as the media detector hands them out: a packed DIB, that is
// a BITMAPINFOHEADER (40 bytes, 24 bits, BI_RGB, bottom-up) followed by rows
// padded to four bytes, scaled to the size the caller asks for.
#pragma once

#include "RiffMedia.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace standins {

constexpr uint32_t kDibHeaderSize = 40;

// A stored RGB24 frame: rows of `stride` bytes, the first row at the top
// unless bottomUp.
struct Rgb24View {
    const uint8_t* pixels = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    size_t stride = 0;
    bool bottomUp = true;
};

// Bytes per row of a 24-bit DIB: width x 3 rounded up to a multiple of four.
uint64_t DibStride(int64_t width);

// Header plus pixels of a width x height 24-bit DIB; 0 when either side is
// not positive or the size does not fit a 32-bit signed length.
uint32_t PackedDibSize(int64_t width, int64_t height);

// Where the pixels of a stored frame are. Writers store rows padded to four
// bytes as DIBs do, or packed (width x 3) back to back; the chunk's length
// tells which. False when the chunk is too short for either.
bool ViewStoredFrame(const VideoLayout& layout, const uint8_t* data, size_t size, Rgb24View* view);

// Writes header and pixels of a width x height packed DIB into dib (which
// holds PackedDibSize bytes), scaling the source by nearest neighbour:
// target column x takes source column x * sourceWidth / width, and rows
// likewise counted from the top. Row padding is zero.
void WritePackedDib(const Rgb24View& source, int32_t width, int32_t height, uint8_t* dib);

}  // namespace standins
