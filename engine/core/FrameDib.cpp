#include "engine/core/FrameDib.h"

#include <limits>

namespace camera {

namespace {

uint32_t Le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

constexpr uint32_t kUncompressed = 0;  // BI_RGB

}  // namespace

bool IsCompletePackedDib(const uint8_t* data, size_t size) {
    if (data == nullptr || size < kDibHeaderSize) return false;
    const uint32_t headerSize = Le32(data);
    const int32_t width = static_cast<int32_t>(Le32(data + 4));
    const int32_t height = static_cast<int32_t>(Le32(data + 8));
    const uint16_t planes = Le16(data + 12);
    const uint16_t bitCount = Le16(data + 14);
    const uint32_t compression = Le32(data + 16);
    if (headerSize != kDibHeaderSize || planes != 1 || compression != kUncompressed) return false;
    if (bitCount != 16 && bitCount != 24 && bitCount != 32) return false;
    if (width <= 0 || height == 0 || height == std::numeric_limits<int32_t>::min()) return false;
    // Both factors are below 2^31, so the products fit into 64 bits.
    const uint64_t rowBytes = (static_cast<uint64_t>(width) * bitCount + 31) / 32 * 4;
    const uint64_t rows = static_cast<uint64_t>(height < 0 ? -static_cast<int64_t>(height) : height);
    const uint64_t pixelBytes = rowBytes * rows;
    return pixelBytes <= size - kDibHeaderSize;
}

}  // namespace camera
