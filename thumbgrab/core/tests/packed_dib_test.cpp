// What a frame from the media detector must look like before it is drawn.
#include "PackedDib.h"

#include <gtest/gtest.h>

#include <vector>

using snapframe::ReadPackedDib;

namespace {

void PutU32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        // at(): a field written past the buffer fails the test instead of
        // corrupting the heap.
        b.at(at + i) = static_cast<uint8_t>(v >> (8 * i));
    }
}

// A header of 40 bytes followed by bitsBytes of pixel bytes.
std::vector<uint8_t> Dib(int32_t width, int32_t height, uint16_t bitCount, size_t bitsBytes) {
    std::vector<uint8_t> b(40 + bitsBytes, 0);
    PutU32(b, 0, 40);
    PutU32(b, 4, static_cast<uint32_t>(width));
    PutU32(b, 8, static_cast<uint32_t>(height));
    b[12] = 1;  // planes
    b[14] = static_cast<uint8_t>(bitCount);
    return b;
}

}  // namespace

TEST(PackedDib, RowsArePaddedToFourBytesAndMustFitBehindTheHeader) {
    // 4 x 3 at 24 bits: rows of 12 bytes, 36 in all.
    auto even = Dib(4, 3, 24, 36);
    auto layout = ReadPackedDib(even.data(), even.size());
    ASSERT_TRUE(layout);
    EXPECT_EQ(12u, layout->rowBytes);
    EXPECT_EQ(36u, layout->bitsBytes);
    EXPECT_FALSE(ReadPackedDib(even.data(), even.size() - 1));

    // 5 x 3 at 24 bits: 15 bytes a row padded to 16, so 48 and not 45.
    auto odd = Dib(5, 3, 24, 48);
    layout = ReadPackedDib(odd.data(), odd.size());
    ASSERT_TRUE(layout);
    EXPECT_EQ(16u, layout->rowBytes);
    EXPECT_EQ(48u, layout->bitsBytes);
    EXPECT_FALSE(ReadPackedDib(odd.data(), 40 + 45));

    // 3 x 2 at 16 bits: 6 bytes padded to 8; at 32 bits: 12 bytes.
    auto sixteen = Dib(3, 2, 16, 16);
    EXPECT_TRUE(ReadPackedDib(sixteen.data(), sixteen.size()));
    EXPECT_FALSE(ReadPackedDib(sixteen.data(), 40 + 15));
    auto thirtyTwo = Dib(3, 2, 32, 24);
    EXPECT_TRUE(ReadPackedDib(thirtyTwo.data(), thirtyTwo.size()));
    EXPECT_FALSE(ReadPackedDib(thirtyTwo.data(), 40 + 23));

    // A longer buffer than the rows need is fine.
    auto roomy = Dib(4, 3, 24, 100);
    layout = ReadPackedDib(roomy.data(), roomy.size());
    ASSERT_TRUE(layout);
    EXPECT_EQ(36u, layout->bitsBytes);
}

TEST(PackedDib, TopDownFramesCountTheirRowsByMagnitude) {
    auto topDown = Dib(4, -3, 24, 36);
    auto layout = ReadPackedDib(topDown.data(), topDown.size());
    ASSERT_TRUE(layout);
    EXPECT_EQ(-3, layout->height);
    EXPECT_EQ(36u, layout->bitsBytes);
    EXPECT_FALSE(ReadPackedDib(topDown.data(), 40 + 35));
}

TEST(PackedDib, RefusesHeadersThatDoNotDescribeAPlainFrame) {
    EXPECT_FALSE(ReadPackedDib(nullptr, 100));
    auto good = Dib(2, 2, 24, 16);
    EXPECT_FALSE(ReadPackedDib(good.data(), 39));

    auto bigHeader = good;
    PutU32(bigHeader, 0, 124);  // a V5 header: the bits would not start at 40
    EXPECT_FALSE(ReadPackedDib(bigHeader.data(), bigHeader.size()));

    auto paletted = Dib(2, 2, 8, 16);  // would need a colour table
    EXPECT_FALSE(ReadPackedDib(paletted.data(), paletted.size()));

    auto compressed = good;
    PutU32(compressed, 16, 1);  // run-length encoded
    EXPECT_FALSE(ReadPackedDib(compressed.data(), compressed.size()));

    auto twoPlanes = good;
    twoPlanes[12] = 2;
    EXPECT_FALSE(ReadPackedDib(twoPlanes.data(), twoPlanes.size()));

    for (int32_t width : {0, -2}) {
        auto empty = Dib(width, 2, 24, 16);
        EXPECT_FALSE(ReadPackedDib(empty.data(), empty.size())) << width;
    }
    auto noRows = Dib(2, 0, 24, 16);
    EXPECT_FALSE(ReadPackedDib(noRows.data(), noRows.size()));
    auto minRows = Dib(2, INT32_MIN, 24, 16);
    EXPECT_FALSE(ReadPackedDib(minRows.data(), minRows.size()));
}

TEST(PackedDib, HugeDimensionsAreRefusedWithoutWrappingAround) {
    // 0x7FFFFFFF x 0x7FFFFFFF at 32 bits would wrap a 32-bit (and nearly a
    // 64-bit) size; whatever the arithmetic does, it must not fit 64 bytes.
    auto huge = Dib(INT32_MAX, INT32_MAX, 32, 24);
    EXPECT_FALSE(ReadPackedDib(huge.data(), huge.size()));
    // 0x40000000 x 4 at 32 bits is exactly 2^34 bytes: wraps to 0 in 32 bits.
    auto wraps = Dib(0x40000000, 4, 32, 24);
    EXPECT_FALSE(ReadPackedDib(wraps.data(), wraps.size()));
}
