// The packed DIB the media detector hands back for a frame: a 40-byte
// bitmap information header followed at once by the pixel rows. Before
// GDI is let loose on it, the header must describe rows that really lie
// inside the buffer; a detector that lies about its frame would otherwise
// make CreateDIBitmap read past the end of the memory we gave it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace snapframe {

constexpr size_t kDibHeaderSize = 40;

struct PackedDibLayout {
    int32_t width = 0;
    int32_t height = 0;  // negative for rows stored from the top
    uint16_t bitCount = 0;
    size_t rowBytes = 0;   // one row, padded to four bytes
    size_t bitsBytes = 0;  // every row
};

// The layout of a packed DIB of size bytes, or nothing when the header is
// not a plain 40-byte uncompressed header of 16, 24 or 32 bits per pixel
// (those need no colour table, which a packed frame does not carry) or
// its rows do not fit behind the header.
std::optional<PackedDibLayout> ReadPackedDib(const uint8_t* data, size_t size);

}  // namespace snapframe
