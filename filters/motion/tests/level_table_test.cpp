#include <gtest/gtest.h>

#include "DiffBlock_DetectAlgorithm.h"
#include "LevelTable.h"
#include "SyntheticFrames.h"

using namespace motion;

TEST(LevelTable, BlockSizeAndThresholdPerLevel) {
    const std::uint32_t blocks[] = {0, 8, 8, 8, 16, 16, 16, 24, 24, 24, 32};
    const std::uint32_t thresholds[] = {19, 23, 25, 27, 31, 33, 35, 39, 41, 43, 47};
    for (std::uint32_t level = 0; level <= 10; ++level) {
        EXPECT_EQ(blocks[level], LevelSettingsFor(level).blockSize) << level;
        EXPECT_EQ(thresholds[level], LevelSettingsFor(level).threshold) << level;
    }
    EXPECT_EQ(32u, LevelSettingsFor(15).blockSize);
}

struct SizeCase {
    std::int32_t width, height;
    std::uint32_t level;
    std::uint32_t block, zw, zh, threshold;
};

// Worked out by hand from the rule: ceil(W/b) x ceil(H/b), raised to 20; a
// side of exactly 20 makes b = min(W/ZW, H/ZH) - 1 and the size is retaken.
TEST(LevelTable, ReducedSizeRuleThroughTheDetector) {
    const SizeCase cases[] = {
        {640, 480, 0, 1, 640, 480, 19},  {640, 480, 1, 8, 80, 60, 23},
        {640, 480, 5, 16, 40, 30, 33},   {640, 480, 7, 22, 30, 22, 39},  // 27 x 20 -> b = min(23, 24) - 1
        {640, 480, 10, 23, 28, 21, 47},                                  // 20 x 15 -> b = min(32, 24) - 1
        {320, 240, 1, 8, 40, 30, 23},    {320, 240, 4, 11, 30, 22, 31},  // 20 x 15 -> b = min(16, 12) - 1
        {320, 240, 10, 11, 30, 22, 47},                                  // 10 x 8 -> 20 x 20 -> b = 11
        {1280, 720, 5, 16, 80, 45, 33},  {1280, 720, 8, 24, 54, 30, 41},
        {1280, 720, 10, 32, 40, 23, 47}, {176, 144, 1, 6, 30, 24, 23},   // 22 x 18 -> b = min(8, 7) - 1
        {80, 60, 2, 2, 40, 30, 25},                                      // 10 x 8 -> b = min(4, 3) - 1
        {20, 20, 10, 1, 20, 20, 47},                                     // b = min(1, 1) - 1 -> at least 1
        {20, 20, 0, 1, 20, 20, 19},      {320, -240, 1, 8, 40, 30, 23},  // top-down frames use |H|
    };
    for (const SizeCase& c : cases) {
        CDiffBlockDetector d;
        ASSERT_EQ(kOk, d.AllocateCache(motion_test::Rgb24Header(c.width, c.height)));
        MotionRect area{};
        d.SetDetectLevel(c.level, &area);
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " level " << c.level);
        EXPECT_EQ(c.block, d.BlockInUse());
        EXPECT_EQ(c.zw, d.ReducedWidth());
        EXPECT_EQ(c.zh, d.ReducedHeight());
        EXPECT_EQ(c.threshold, d.Threshold());
        EXPECT_EQ(0, area.left);
        EXPECT_EQ(0, area.top);
        EXPECT_EQ(c.width, area.right);
        EXPECT_EQ(c.height < 0 ? -c.height : c.height, area.bottom);
    }
}

TEST(LevelTable, RecomputedBlockReplacesTheLevelBlockOnlyWhenRecomputed) {
    CDiffBlockDetector d;
    ASSERT_EQ(kOk, d.AllocateCache(motion_test::Rgb24Header(80, 60)));
    d.SetDetectLevel(2, nullptr);
    EXPECT_EQ(2u, d.BlockSize());  // fine blocks are denoised
    d.SetDetectLevel(0, nullptr);
    EXPECT_EQ(0u, d.BlockSize());
    EXPECT_EQ(1u, d.BlockInUse());
}

// Frames too small for a cache still get a sane block: the rule must not
// wrap around below zero.
TEST(LevelTable, TinyFramesGiveBlockOneNotAWrappedBlock) {
    const ReducedSize r = ComputeReducedSize(10, 10, 8);
    EXPECT_EQ(1u, r.block);
    EXPECT_EQ(10u, r.width);
    const ReducedSize z = ComputeReducedSize(0, 0, 0);
    EXPECT_EQ(1u, z.block);
    EXPECT_EQ(0u, z.width);
}
