// Frames as the media detector hands them out: stored frames found in their
// chunk, then written as a bottom-up DIB at the asked size. Expected pixels
// come from the position formula of the test writer.
#include "ByteOrder.h"
#include "DibFrame.h"
#include "TestMedia.h"

#include <gtest/gtest.h>

using namespace standins;
using standintest::AviShape;
using standintest::PixelByte;

namespace {

VideoLayout Layout(const AviShape& shape) {
    VideoLayout layout;
    layout.width = shape.width;
    layout.height = shape.height;
    layout.bottomUp = !shape.topDown;
    layout.bitCount = 24;
    return layout;
}

std::vector<uint8_t> Dib(const AviShape& shape, int frame, int32_t width, int32_t height) {
    const std::vector<uint8_t> stored = standintest::StoredFrame(shape, frame);
    Rgb24View view;
    EXPECT_TRUE(ViewStoredFrame(Layout(shape), stored.data(), stored.size(), &view));
    std::vector<uint8_t> dib(PackedDibSize(width, height));
    WritePackedDib(view, width, height, dib.data());
    return dib;
}

// Channel c of the DIB pixel at column x, row y from the top.
uint8_t DibPixel(const std::vector<uint8_t>& dib, int32_t width, int32_t height, int x, int y, int c) {
    const size_t stride = static_cast<size_t>(DibStride(width));
    return dib[kDibHeaderSize + static_cast<size_t>(height - 1 - y) * stride + x * 3 + c];
}

}  // namespace

TEST(DibFrame, StrideAndSize) {
    EXPECT_EQ(24u, DibStride(8));
    EXPECT_EQ(16u, DibStride(5));  // 15 bytes padded to 16
    EXPECT_EQ(4u, DibStride(1));
    EXPECT_EQ(40u + 16u * 2u, PackedDibSize(5, 2));
    EXPECT_EQ(0u, PackedDibSize(0, 10));
    EXPECT_EQ(0u, PackedDibSize(10, -1));
    EXPECT_EQ(0u, PackedDibSize(40000, 40000));  // 4.8 GB does not fit
}

TEST(DibFrame, StoredRowsPaddedOrPacked) {
    AviShape shape;
    shape.width = 5;  // 15 bytes of pixels per row, 16 when padded
    shape.height = 3;
    Rgb24View view;
    std::vector<uint8_t> chunk(16 * 3);
    ASSERT_TRUE(ViewStoredFrame(Layout(shape), chunk.data(), chunk.size(), &view));
    EXPECT_EQ(16u, view.stride);
    chunk.resize(15 * 3);
    ASSERT_TRUE(ViewStoredFrame(Layout(shape), chunk.data(), chunk.size(), &view));
    EXPECT_EQ(15u, view.stride);
    chunk.resize(15 * 3 - 1);
    EXPECT_FALSE(ViewStoredFrame(Layout(shape), chunk.data(), chunk.size(), &view));

    VideoLayout compressed = Layout(shape);
    compressed.compression = 1;
    chunk.resize(16 * 3);
    EXPECT_FALSE(ViewStoredFrame(compressed, chunk.data(), chunk.size(), &view));
}

TEST(DibFrame, SameSizeIsTheFrameItself) {
    for (int rows = 0; rows < 3; ++rows) {
        AviShape shape;
        shape.width = 5;
        shape.height = 4;
        shape.paddedRows = rows != 1;
        shape.topDown = rows == 2;
        const std::vector<uint8_t> dib = Dib(shape, 2, 5, 4);
        ASSERT_EQ(40u + 16u * 4u, dib.size());
        EXPECT_EQ(40u, ReadLe32(&dib[0]));
        EXPECT_EQ(5, ReadLe32Signed(&dib[4]));
        EXPECT_EQ(4, ReadLe32Signed(&dib[8]));  // positive: bottom-up
        EXPECT_EQ(1u, ReadLe16(&dib[12]));
        EXPECT_EQ(24u, ReadLe16(&dib[14]));
        EXPECT_EQ(0u, ReadLe32(&dib[16]));
        EXPECT_EQ(64u, ReadLe32(&dib[20]));
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 5; ++x) {
                for (int c = 0; c < 3; ++c) {
                    ASSERT_EQ(PixelByte(x, y, c, 2), DibPixel(dib, 5, 4, x, y, c))
                        << "rows " << rows << " at " << x << "," << y;
                }
            }
            EXPECT_EQ(0, dib[40 + y * 16 + 15]) << "row padding";
        }
    }
}

TEST(DibFrame, ScalesByNearestNeighbour) {
    AviShape shape;  // 8 x 6
    const std::vector<uint8_t> half = Dib(shape, 1, 4, 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            // Target (x, y) takes source (x * 8 / 4, y * 6 / 3).
            EXPECT_EQ(PixelByte(2 * x, 2 * y, 0, 1), DibPixel(half, 4, 3, x, y, 0));
            EXPECT_EQ(PixelByte(2 * x, 2 * y, 2, 1), DibPixel(half, 4, 3, x, y, 2));
        }
    }
    const std::vector<uint8_t> wide = Dib(shape, 1, 16, 6);
    for (int x = 0; x < 16; ++x) {
        EXPECT_EQ(PixelByte(x / 2, 5, 1, 1), DibPixel(wide, 16, 6, x, 5, 1));
    }
}
