#include "engine/core/FrameDib.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace camera {
namespace {

void Put32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

void Put16(std::vector<uint8_t>& bytes, size_t at, uint16_t value) {
    bytes[at] = static_cast<uint8_t>(value);
    bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

// A header for width x height at bitCount with pixelBytes of rows behind it.
std::vector<uint8_t> Dib(int32_t width, int32_t height, uint16_t bitCount, size_t pixelBytes) {
    std::vector<uint8_t> bytes(40 + pixelBytes, 0);
    Put32(bytes, 0, 40);
    Put32(bytes, 4, static_cast<uint32_t>(width));
    Put32(bytes, 8, static_cast<uint32_t>(height));
    Put16(bytes, 12, 1);
    Put16(bytes, 14, bitCount);
    return bytes;
}

bool Complete(const std::vector<uint8_t>& bytes) { return IsCompletePackedDib(bytes.data(), bytes.size()); }

TEST(PackedDib, RowsArePaddedToFourBytes) {
    // 5 pixels of 24 bits: 15 bytes, padded to 16; 3 rows need 48.
    EXPECT_TRUE(Complete(Dib(5, 3, 24, 48)));
    EXPECT_FALSE(Complete(Dib(5, 3, 24, 47)));
    EXPECT_FALSE(Complete(Dib(5, 3, 24, 45)));  // 5 * 3 * 3 unpadded
    // 4 pixels of 24 bits are 12 bytes, already a multiple of four.
    EXPECT_TRUE(Complete(Dib(4, 2, 24, 24)));
    // 3 pixels of 16 bits: 6 bytes padded to 8.
    EXPECT_TRUE(Complete(Dib(3, 2, 16, 16)));
    EXPECT_FALSE(Complete(Dib(3, 2, 16, 15)));
    EXPECT_TRUE(Complete(Dib(3, 2, 32, 24)));
}

TEST(PackedDib, TopDownRowsCountAlike) {
    EXPECT_TRUE(Complete(Dib(5, -3, 24, 48)));
    EXPECT_FALSE(Complete(Dib(5, -3, 24, 47)));
}

TEST(PackedDib, SpareBytesBehindTheRowsAreAllowed) { EXPECT_TRUE(Complete(Dib(4, 2, 24, 100))); }

TEST(PackedDib, HeadersGdiWouldMisreadAreRefused) {
    EXPECT_FALSE(Complete(Dib(0, 3, 24, 0)));
    EXPECT_FALSE(Complete(Dib(-4, 3, 24, 64)));
    EXPECT_FALSE(Complete(Dib(4, 0, 24, 64)));
    EXPECT_FALSE(Complete(Dib(4, INT32_MIN, 24, 64)));
    EXPECT_FALSE(Complete(Dib(4, 2, 8, 64)));  // would need a colour table
    EXPECT_FALSE(Complete(Dib(4, 2, 0, 64)));

    std::vector<uint8_t> compressed = Dib(4, 2, 24, 64);
    Put32(compressed, 16, 1);  // BI_RLE8
    EXPECT_FALSE(Complete(compressed));

    std::vector<uint8_t> twoPlanes = Dib(4, 2, 24, 64);
    Put16(twoPlanes, 12, 2);
    EXPECT_FALSE(Complete(twoPlanes));

    std::vector<uint8_t> largerHeader = Dib(4, 2, 24, 200);
    Put32(largerHeader, 0, 108);  // the bits would not start at byte 40
    EXPECT_FALSE(Complete(largerHeader));
}

TEST(PackedDib, HugeDimensionsDoNotWrapAround) {
    // 2^31-1 pixels wide and high: far beyond any buffer, and the row size
    // times the row count exceeds 32 bits by far.
    EXPECT_FALSE(Complete(Dib(INT32_MAX, INT32_MAX, 32, 64)));
    EXPECT_FALSE(Complete(Dib(0x40000000, 4, 32, 64)));
}

TEST(PackedDib, ShortOrMissingBuffersAreRefused) {
    std::vector<uint8_t> header = Dib(1, 1, 24, 4);
    EXPECT_FALSE(IsCompletePackedDib(header.data(), 39));
    EXPECT_FALSE(IsCompletePackedDib(nullptr, 100));
    EXPECT_TRUE(IsCompletePackedDib(header.data(), header.size()));
}

}  // namespace
}  // namespace camera
