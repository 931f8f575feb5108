// A packed device-independent bitmap as the media detector hands out a
// frame: a 40-byte BITMAPINFOHEADER directly followed by the pixel rows.
// GDI trusts the header when it reads the rows, so the header is checked
// against the buffer it came in before any drawing.
#pragma once

#include <cstddef>
#include <cstdint>

namespace camera {

constexpr size_t kDibHeaderSize = 40;

// True when the buffer holds a whole uncompressed 16-, 24- or 32-bit
// bitmap: a 40-byte header of one plane, a positive width, a height other
// than 0 (either row order) and every row, each padded to four bytes,
// inside size.
bool IsCompletePackedDib(const uint8_t* data, size_t size);

}  // namespace camera
