// Frame sizes worked out by hand: DIB rows pad to 4 bytes.
#include "ImageGeometry.h"

#include <gtest/gtest.h>

#include <cstdint>

using imagegeometry::FrameBytes;
using imagegeometry::RowStride;

TEST(ImageGeometry, RowsPadToFourBytes) {
    uint32_t stride = 0;
    ASSERT_TRUE(RowStride(1, 24, &stride));
    EXPECT_EQ(4u, stride);  // 3 bytes -> 4
    ASSERT_TRUE(RowStride(5, 24, &stride));
    EXPECT_EQ(16u, stride);  // 15 bytes -> 16
    ASSERT_TRUE(RowStride(640, 24, &stride));
    EXPECT_EQ(1920u, stride);  // already aligned
    ASSERT_TRUE(RowStride(3, 32, &stride));
    EXPECT_EQ(12u, stride);
    ASSERT_TRUE(RowStride(9, 1, &stride));
    EXPECT_EQ(4u, stride);  // 9 bits still one DWORD
}

TEST(ImageGeometry, FrameSizeUsesHeightMagnitude) {
    uint32_t bytes = 0;
    ASSERT_TRUE(FrameBytes(320, 240, 24, &bytes));
    EXPECT_EQ(230400u, bytes);
    ASSERT_TRUE(FrameBytes(320, -240, 24, &bytes));  // top-down
    EXPECT_EQ(230400u, bytes);
    ASSERT_TRUE(FrameBytes(175, 3, 24, &bytes));  // 525 -> 528 per row
    EXPECT_EQ(1584u, bytes);
}

TEST(ImageGeometry, RefusesNonsenseAndOverflow) {
    uint32_t bytes = 7;
    EXPECT_FALSE(FrameBytes(0, 10, 24, &bytes));
    EXPECT_FALSE(FrameBytes(-4, 10, 24, &bytes));
    EXPECT_FALSE(FrameBytes(10, 0, 24, &bytes));
    EXPECT_FALSE(FrameBytes(10, 10, 0, &bytes));
    EXPECT_FALSE(FrameBytes(10, 10, 24, nullptr));
    EXPECT_FALSE(FrameBytes(100000, 100000, 24, &bytes));  // 30 GB
    EXPECT_FALSE(FrameBytes(16, INT32_MIN, 24, &bytes));   // no int negation overflow
    EXPECT_EQ(7u, bytes);                                  // untouched on refusal
    EXPECT_EQ(9u, imagegeometry::LargerSize(1, 9));
    EXPECT_EQ(9u, imagegeometry::LargerSize(9, 1));
}

TEST(ImageGeometry, SampleRowsArePaddedAndOnlyTheLastMayBeShort) {
    uint32_t stride = 0;
    // 5 x 3 RGB24: rows of 15 bytes padded to 16; 16 + 16 + 15 = 47.
    ASSERT_TRUE(imagegeometry::SampleRowStride(5, 3, 24, 48, &stride));
    EXPECT_EQ(16u, stride);
    stride = 0;
    ASSERT_TRUE(imagegeometry::SampleRowStride(5, -3, 24, 47, &stride));
    EXPECT_EQ(16u, stride);
    // Packed rows (45 bytes) are too short for padded rows: no frame.
    stride = 7;
    EXPECT_FALSE(imagegeometry::SampleRowStride(5, 3, 24, 46, &stride));
    EXPECT_FALSE(imagegeometry::SampleRowStride(5, 3, 24, 45, &stride));
    EXPECT_FALSE(imagegeometry::SampleRowStride(0, 3, 24, 1000, &stride));
    EXPECT_FALSE(imagegeometry::SampleRowStride(5, 0, 24, 1000, &stride));
    EXPECT_FALSE(imagegeometry::SampleRowStride(5, 3, 0, 1000, &stride));
    EXPECT_EQ(7u, stride);
}
