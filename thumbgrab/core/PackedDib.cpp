#include "PackedDib.h"

namespace snapframe {

namespace {

// DIB headers are little-endian on every platform that has them.
uint32_t ReadU32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

uint16_t ReadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

constexpr uint32_t kUncompressed = 0;  // BI_RGB

}  // namespace

std::optional<PackedDibLayout> ReadPackedDib(const uint8_t* data, size_t size) {
    if (data == nullptr || size < kDibHeaderSize || ReadU32(data) != kDibHeaderSize) {
        return std::nullopt;
    }
    PackedDibLayout layout;
    layout.width = static_cast<int32_t>(ReadU32(data + 4));
    layout.height = static_cast<int32_t>(ReadU32(data + 8));
    const uint16_t planes = ReadU16(data + 12);
    layout.bitCount = ReadU16(data + 14);
    const uint32_t compression = ReadU32(data + 16);
    if (planes != 1 || compression != kUncompressed) {
        return std::nullopt;
    }
    if (layout.bitCount != 16 && layout.bitCount != 24 && layout.bitCount != 32) {
        return std::nullopt;
    }
    if (layout.width <= 0 || layout.height == 0 || layout.height == INT32_MIN) {
        return std::nullopt;
    }
    // In 64 bits a 31-bit width times 32 bits per pixel cannot overflow, nor
    // can the row size times a 31-bit height.
    const uint64_t rowBytes = (static_cast<uint64_t>(layout.width) * layout.bitCount + 31) / 32 * 4;
    const uint64_t rows = static_cast<uint64_t>(layout.height < 0 ? -static_cast<int64_t>(layout.height)
                                                                  : layout.height);
    const uint64_t bitsBytes = rowBytes * rows;
    if (bitsBytes > size - kDibHeaderSize) {
        return std::nullopt;
    }
    layout.rowBytes = static_cast<size_t>(rowBytes);
    layout.bitsBytes = static_cast<size_t>(bitsBytes);
    return layout;
}

}  // namespace snapframe
