#include "engine/core/BurstBlend.h"
#include "engine/core/ImageEncoders.h"

#include <gtest/gtest.h>

#include <string>

namespace camera {
namespace {

TEST(ScreenBlend, HandWorkedValues) {
    EXPECT_EQ(0, ScreenBlend(0, 0));
    EXPECT_EQ(255, ScreenBlend(255, 0));
    EXPECT_EQ(255, ScreenBlend(37, 255));
    EXPECT_EQ(192, ScreenBlend(128, 128));  // 255 - floor(127*127/255) = 255 - 63
    EXPECT_EQ(131, ScreenBlend(100, 50));   // 255 - floor(155*205/255) = 255 - 124
    EXPECT_EQ(ScreenBlend(50, 100), ScreenBlend(100, 50));
    EXPECT_EQ(1, ScreenBlend(1, 0));
}

TEST(DibRows, PackedRowsArePaddedPaddedRowsAreKeptOthersRefused) {
    // Width 2: 6 bytes of pixels, rows of 8.
    const uint8_t packed[12] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    std::vector<uint8_t> rows;
    ASSERT_TRUE(ToDibRows(packed, sizeof packed, 2, 2, rows));
    const std::vector<uint8_t> expected = {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0};
    EXPECT_EQ(expected, rows);

    ASSERT_TRUE(ToDibRows(expected.data(), expected.size(), 2, 2, rows));
    EXPECT_EQ(expected, rows);

    EXPECT_FALSE(ToDibRows(packed, 11, 2, 2, rows));
    EXPECT_FALSE(ToDibRows(packed, 13, 2, 2, rows));
    EXPECT_FALSE(ToDibRows(packed, 12, 0, 2, rows));
    EXPECT_FALSE(ToDibRows(packed, 12, 2, -2, rows));
    EXPECT_FALSE(ToDibRows(nullptr, 12, 2, 2, rows));
    EXPECT_EQ(8u, DibStride(2, 24));
    EXPECT_EQ(12u, DibStride(4, 24));
    EXPECT_EQ(4u, DibStride(1, 32));
}

TEST(BurstAccumulator, FiveEqualFramesBrightenAndKeepBlackAndWhite) {
    // One row of three pixels (stride 12): black, grey 10/20/30, white.
    const uint8_t frame[12] = {0, 0, 0, 10, 20, 30, 255, 255, 255, 0, 0, 0};
    CBurstAccumulator burst;
    burst.Start(frame, 3, 1);
    for (int i = 1; i < kBurstFrames; ++i) ASSERT_TRUE(burst.Blend(frame, 3, 1));
    // By hand: 10 -> 20 -> 30 -> 39 -> 48; 20 -> 39 -> 56 -> 72 -> 87;
    // 30 -> 57 -> 81 -> 102 -> 120.
    const std::vector<uint8_t> expected = {0, 0, 0, 255, 48, 87, 120, 255, 255, 255, 255, 255};
    EXPECT_EQ(expected, burst.Pixels());
}

TEST(BurstAccumulator, RowsStayInTheirOrderAcrossBlends) {
    // Two rows of one pixel: the lower row dark, the upper bright.
    const uint8_t frame[8] = {5, 5, 5, 0, 200, 200, 200, 0};
    CBurstAccumulator burst;
    burst.Start(frame, 1, 2);
    ASSERT_TRUE(burst.Blend(frame, 1, 2));
    ASSERT_TRUE(burst.Blend(frame, 1, 2));
    // 5 -> 10 -> 15 (255 - floor(245*250/255) = 15); 200 -> 244 -> 253.
    const std::vector<uint8_t> expected = {15, 15, 15, 255, 253, 253, 253, 255};
    EXPECT_EQ(expected, burst.Pixels());
}

TEST(BurstAccumulator, AnotherSizeOrNoStartLeavesItUnchanged) {
    const uint8_t small[4] = {50, 60, 70, 0};
    const uint8_t large[8] = {1, 1, 1, 1, 1, 1, 0, 0};
    CBurstAccumulator burst;
    EXPECT_FALSE(burst.Blend(small, 1, 1));
    EXPECT_TRUE(burst.Empty());
    burst.Start(small, 1, 1);
    EXPECT_FALSE(burst.Blend(large, 2, 1));
    EXPECT_EQ((std::vector<uint8_t>{50, 60, 70, 255}), burst.Pixels());
    burst.Clear();
    EXPECT_TRUE(burst.Empty());
    EXPECT_EQ(0, burst.Width());
}

TEST(BurstAccumulator, StepsOfTheFiveFrames) {
    EXPECT_EQ(BurstStep::Start, BurstStepOf(0));
    EXPECT_EQ(BurstStep::Blend, BurstStepOf(1));
    EXPECT_EQ(BurstStep::Blend, BurstStepOf(3));
    EXPECT_EQ(BurstStep::Finish, BurstStepOf(4));
}

TEST(ImageEncoders, FormatNumbersToMimeTypes) {
    EXPECT_EQ(std::u16string(u"image/bmp"), ImageEncoderMime(0));
    EXPECT_EQ(std::u16string(u"image/jpeg"), ImageEncoderMime(1));
    EXPECT_EQ(std::u16string(u"image/gif"), ImageEncoderMime(2));
    EXPECT_EQ(std::u16string(u"image/png"), ImageEncoderMime(3));
    EXPECT_EQ(std::u16string(u"image/tiff"), ImageEncoderMime(4));
    EXPECT_EQ(nullptr, ImageEncoderMime(5));
    EXPECT_EQ(nullptr, ImageEncoderMime(-1));
}

}  // namespace
}  // namespace camera
