#include "MaskScan.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

using namespace vimbrel::ui;

namespace {

constexpr Colour K = 0x960000;  // a key colour, written 000096
constexpr Colour W = kWhite;
constexpr Colour B = kBlack;

// Pixels in DIB byte order (B, G, R, X), top row first.
class TestMask {
public:
    TestMask(int width, int height, std::vector<Colour> pixels, uint8_t filler = 0)
        : width_(width), height_(height), bytes_(pixels.size() * 4) {
        for (size_t i = 0; i < pixels.size(); ++i) {
            bytes_[i * 4 + 0] = BlueOf(pixels[i]);
            bytes_[i * 4 + 1] = GreenOf(pixels[i]);
            bytes_[i * 4 + 2] = RedOf(pixels[i]);
            bytes_[i * 4 + 3] = filler;
        }
    }
    MaskView View() const { return {width_, height_, bytes_.data(), std::ptrdiff_t(width_) * 4}; }

    // The same picture stored bottom-up, as a DIB section holds it.
    MaskView BottomUpView() {
        flipped_.resize(bytes_.size());
        size_t stride = size_t(width_) * 4;
        for (int y = 0; y < height_; ++y) {
            std::copy_n(&bytes_[size_t(y) * stride], stride, &flipped_[size_t(height_ - 1 - y) * stride]);
        }
        return {width_, height_, flipped_.data() + size_t(height_ - 1) * stride, -std::ptrdiff_t(stride)};
    }

private:
    int width_, height_;
    std::vector<uint8_t> bytes_, flipped_;
};

std::vector<PixelRect> AllRects(const std::vector<RunBlock>& blocks) {
    std::vector<PixelRect> all;
    for (const RunBlock& b : blocks) all.insert(all.end(), b.rects.begin(), b.rects.end());
    return all;
}

MATCHER_P4(IsRect, l, t, r, b, "") { return arg.left == l && arg.top == t && arg.right == r && arg.bottom == b; }

}  // namespace

using ::testing::ElementsAre;

TEST(MaskScan, RunsOfOneColourAndOfEveryOtherColour) {
    TestMask mask(5, 3, {K, K, W, K, K, W, W, W, W, W, K, K, K, K, K});
    auto same = RunsFromPixels(mask.View(), K, RegionMode::SameColour);
    ASSERT_EQ(same.size(), 1u);
    EXPECT_THAT(same[0].rects, ElementsAre(IsRect(0, 0, 2, 1), IsRect(3, 0, 5, 1), IsRect(0, 2, 5, 3)));
    EXPECT_THAT(same[0].bounds, IsRect(0, 0, 5, 3));

    auto other = RunsFromPixels(mask.View(), K, RegionMode::OtherColour);
    ASSERT_EQ(other.size(), 1u);
    EXPECT_THAT(other[0].rects, ElementsAre(IsRect(2, 0, 3, 1), IsRect(0, 1, 5, 2)));
    EXPECT_THAT(other[0].bounds, IsRect(0, 0, 5, 2));

    // The window shape: every pixel that is not black, white included.
    TestMask panel(4, 2, {B, W, K, B, W, K, W, W});
    auto shape = RunsFromPixels(panel.View(), B, RegionMode::OtherColour);
    EXPECT_THAT(AllRects(shape), ElementsAre(IsRect(1, 0, 3, 1), IsRect(0, 1, 4, 2)));
}

TEST(MaskScan, ColoursCompareByRedGreenBlueOnly) {
    // The fourth byte of a DIB pixel carries nothing and must not matter.
    TestMask mask(3, 1, {K, 0x960001, K}, 0xFF);
    auto runs = RunsFromPixels(mask.View(), K, RegionMode::SameColour);
    EXPECT_THAT(AllRects(runs), ElementsAre(IsRect(0, 0, 1, 1), IsRect(2, 0, 3, 1)));
}

TEST(MaskScan, WholeMaskOfOneKeyAndMaskWithoutBlack) {
    std::vector<Colour> pixels(6 * 4, K);
    TestMask mask(6, 4, pixels);
    auto runs = RunsFromPixels(mask.View(), K, RegionMode::SameColour);
    EXPECT_THAT(AllRects(runs),
                ElementsAre(IsRect(0, 0, 6, 1), IsRect(0, 1, 6, 2), IsRect(0, 2, 6, 3), IsRect(0, 3, 6, 4)));
    EXPECT_THAT(runs[0].bounds, IsRect(0, 0, 6, 4));
    // No black pixel: the shape in mode 1 with black is the whole rectangle.
    auto shape = RunsFromPixels(mask.View(), B, RegionMode::OtherColour);
    EXPECT_THAT(shape[0].bounds, IsRect(0, 0, 6, 4));
    EXPECT_EQ(AllRects(shape).size(), 4u);
}

TEST(MaskScan, NothingMatchingGivesOneEmptyBlock) {
    TestMask mask(3, 2, {W, W, W, W, W, W});
    auto runs = RunsFromPixels(mask.View(), K, RegionMode::SameColour);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_TRUE(runs[0].rects.empty());
    EXPECT_THAT(runs[0].bounds, IsRect(0x7FFFFFFF, 0x7FFFFFFF, 0, 0));

    MaskView none;
    EXPECT_EQ(RunsFromPixels(none, K, RegionMode::OtherColour).size(), 1u);
    EXPECT_TRUE(CollectKeyColours(none, 20).empty());
    EXPECT_TRUE(CollectSteps(none).empty());
}

TEST(MaskScan, RectanglesAreHandedOverInBlocksOf2000) {
    // A 100 x 100 checkerboard: 50 single-pixel runs a row, 5000 in all.
    std::vector<Colour> pixels;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x) pixels.push_back((x + y) % 2 == 0 ? B : W);
    TestMask mask(100, 100, pixels);
    auto blocks = RunsFromPixels(mask.View(), B, RegionMode::SameColour);
    ASSERT_EQ(blocks.size(), 3u);
    EXPECT_EQ(blocks[0].rects.size(), 2000u);
    EXPECT_EQ(blocks[1].rects.size(), 2000u);
    EXPECT_EQ(blocks[2].rects.size(), 1000u);
    // Each block has its own bounding box: rows 0-39, 40-79, 80-99.
    EXPECT_THAT(blocks[0].bounds, IsRect(0, 0, 100, 40));
    EXPECT_THAT(blocks[1].bounds, IsRect(0, 40, 100, 80));
    EXPECT_THAT(blocks[2].bounds, IsRect(0, 80, 100, 100));
    EXPECT_THAT(blocks[2].rects.back(), IsRect(99, 99, 100, 100));

    // A count that fills the last block exactly makes no empty extra block.
    TestMask three(5, 1, {K, W, K, W, K});
    EXPECT_EQ(RunsFromPixels(three.View(), K, RegionMode::SameColour, 3).size(), 1u);
    EXPECT_EQ(RunsFromPixels(three.View(), K, RegionMode::SameColour, 2).size(), 2u);
}

TEST(MaskScan, BottomUpStorageScansTheSameImageRows) {
    TestMask mask(3, 3, {K, W, W, W, K, W, W, W, K});
    auto top = AllRects(RunsFromPixels(mask.View(), K, RegionMode::SameColour));
    auto bottomUp = AllRects(RunsFromPixels(mask.BottomUpView(), K, RegionMode::SameColour));
    EXPECT_THAT(bottomUp, ElementsAre(IsRect(0, 0, 1, 1), IsRect(1, 1, 2, 2), IsRect(2, 2, 3, 3)));
    ASSERT_EQ(top.size(), bottomUp.size());
}

TEST(MaskScan, KeyColoursInFirstMetOrderWithoutBlackOrWhite) {
    constexpr Colour A = 0x320000, C = 0x643200, D = 0xFA3200;
    TestMask mask(4, 3, {W, B, C, C, A, C, W, D, D, A, B, W});
    EXPECT_THAT(CollectKeyColours(mask.View(), 20), ElementsAre(C, A, D));
    EXPECT_THAT(CollectKeyColours(mask.View(), 2), ElementsAre(C, A));

    // A colour met again after another one is not listed twice.
    TestMask back(5, 1, {A, C, A, C, A});
    EXPECT_THAT(CollectKeyColours(back.View(), 20), ElementsAre(A, C));
}

TEST(MaskScan, KeyColoursStopAtTheWindowsLimit) {
    std::vector<Colour> pixels;
    for (int i = 1; i <= 60; ++i) pixels.push_back(MakeColour(0, 0, uint8_t(i)));
    TestMask mask(60, 1, pixels);
    auto panel = CollectKeyColours(mask.View(), kPanelKeyLimit);
    ASSERT_EQ(panel.size(), 20u);
    EXPECT_EQ(panel.front(), MakeColour(0, 0, 1));
    EXPECT_EQ(panel.back(), MakeColour(0, 0, 20));
    auto dialog = CollectKeyColours(mask.View(), kDialogKeyLimit);
    ASSERT_EQ(dialog.size(), 50u);
    EXPECT_EQ(dialog.back(), MakeColour(0, 0, 50));
}

TEST(MaskScan, SliderStepsAreGrayLevelsDarkestFirst) {
    // 21 levels from black to white, met in a shuffled order, with the
    // transparent colour and a stray non-gray colour among them.
    std::vector<int> order = {20, 3, 0, 17, 9, 11, 1, 5, 14, 2, 19, 7, 13, 4, 16, 6, 10, 18, 8, 12, 15};
    std::vector<Colour> pixels = {0xFF00FF, 0x102030};
    for (int i : order) {
        auto g = uint8_t(std::lround(i * 255.0 / 20));
        pixels.push_back(MakeColour(g, g, g));
        pixels.push_back(MakeColour(g, g, g));
    }
    TestMask mask(int(pixels.size()), 1, pixels);
    auto steps = CollectSteps(mask.View());
    ASSERT_EQ(steps.size(), 21u);
    EXPECT_EQ(steps.front(), kBlack);
    EXPECT_EQ(steps[1], MakeColour(13, 13, 13));
    EXPECT_EQ(steps[10], MakeColour(128, 128, 128));
    EXPECT_EQ(steps.back(), kWhite);
    EXPECT_TRUE(std::is_sorted(steps.begin(), steps.end()));
}
