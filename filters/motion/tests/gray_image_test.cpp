#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "GrayImage.h"
#include "SyntheticFrames.h"

using namespace motion;
using motion_test::SyntheticFrame;

TEST(GrayImage, ConvertsEachChannelShiftedBeforeTheSum) {
    const std::uint8_t rgb[] = {255, 255, 255, 255, 0, 0, 0, 255, 0, 0, 0, 255, 7, 3, 3};
    std::uint8_t gray[5] = {};
    xRGB2Gray(gray, rgb, 5, 1);
    EXPECT_EQ(221, gray[0]);        // white
    EXPECT_EQ(31, gray[1]);         // blue
    EXPECT_EQ(127, gray[2]);        // green
    EXPECT_EQ(63, gray[3]);         // red
    EXPECT_EQ(0 + 1 + 0, gray[4]);  // 7>>3, 3>>1, 3>>2
}

// 640 x 480 at block 23: 28 x 21 reduced pixels; the last column covers 19
// source columns and the last row 20 source rows, each averaged over its own
// pixel count.
TEST(GrayImage, ShrinkAveragesPartialEdgeBlocksOverTheirOwnCount) {
    SyntheticFrame f(640, 480);
    f.FillRect(0, 0, 23, 11, 0, 100, 0);          // 11 of 23 rows of block (0,0)
    f.FillRect(621, 0, 640, 480, 0, 200, 0);      // last block column
    f.FillRect(0, 460, 621, 480, 0, 0, 200);      // last block row
    f.FillRect(621, 460, 640, 480, 0, 200, 200);  // corner block
    std::vector<std::uint8_t> gray(640 * 480, 0xAA);
    std::vector<std::uint32_t> acc(640 * 3);
    xZoomOutRGB2Gray(gray.data(), f.Data(), 640, 480, 23, 28, 21, acc.data());

    auto at = [&](int x, int y) { return gray[y * 28 + x]; };
    EXPECT_EQ(23, at(0, 0));  // 100*23*11/529 = 47, >>1
    EXPECT_EQ(0, at(5, 5));
    EXPECT_EQ(100, at(27, 0));  // 200 over 19x23, not over 23x23 (82)
    EXPECT_EQ(100, at(27, 19));
    EXPECT_EQ(50, at(0, 20));  // red 200 over 23x20 rows
    EXPECT_EQ(50, at(26, 20));
    EXPECT_EQ(150, at(27, 20));  // 19 x 20 corner, both channels
}

// The column-sum shrink against the block-by-block one: odd sizes, blocks
// that leave partial edges, a strip edge inside a row (block 100: two per
// 256-pixel strip), a block past the strip limit, and reduced sizes larger
// than the frame's blocks (their pixels are 0 in both).
TEST(GrayImage, ShrinkByColumnSumsGivesTheBlockByBlockBytes) {
    const std::uint32_t cases[][3] = {{2, 2, 2},     {3, 5, 2},      {33, 7, 4},    {641, 481, 16},
                                      {97, 301, 23}, {640, 480, 32}, {700, 9, 100}, {600, 300, 300}};
    for (const auto& c : cases) {
        const std::uint32_t w = c[0], h = c[1], b = c[2];
        SyntheticFrame f(w, h);
        f.Fill(120, 60, 200);
        f.AddNoise(w + h, 60);
        for (std::uint32_t extra : {0u, 2u}) {
            const std::uint32_t zw = (w + b - 1) / b + extra, zh = (h + b - 1) / b + extra;
            std::vector<std::uint8_t> fast(zw * zh, 0xAA), plain(zw * zh, 0x55);
            std::vector<std::uint32_t> acc(3 * std::max(w, zw));
            xZoomOutRGB2Gray(fast.data(), f.Data(), w, h, b, zw, zh, acc.data());
            xZoomOutRGB2GrayPlain(plain.data(), f.Data(), w, h, b, zw, zh, acc.data());
            EXPECT_EQ(fast, plain) << w << " x " << h << " block " << b << " extra " << extra;
        }
    }
}

TEST(GrayImage, ShrinkAtBlockOneIsPlainConversionAndZoomInRepeatsBlocks) {
    SyntheticFrame f(20, 20);
    f.FillRect(3, 4, 4, 5, 255, 255, 255);
    std::vector<std::uint8_t> gray(400), acc(60 * 4);
    xZoomOutRGB2Gray(gray.data(), f.Data(), 20, 20, 1, 20, 20, reinterpret_cast<std::uint32_t*>(acc.data()));
    EXPECT_EQ(221, gray[4 * 20 + 3]);
    EXPECT_EQ(0, gray[4 * 20 + 4]);

    const std::uint8_t reduced[] = {1, 2, 3, 4};  // 2 x 2
    std::uint8_t out[5 * 4];
    xZoomInGray(out, reduced, 5, 4, 3, 2, 2);
    EXPECT_EQ(1, out[0]);
    EXPECT_EQ(2, out[3]);  // x 3 -> column 1
    EXPECT_EQ(2, out[4]);
    EXPECT_EQ(3, out[3 * 5 + 0]);  // y 3 -> row 1
    EXPECT_EQ(4, out[3 * 5 + 4]);
}

TEST(GrayImage, DenoiseTakesTheMeanOfNeighboursWithoutThePixel) {
    std::uint8_t in[16];
    for (int i = 0; i < 16; ++i) in[i] = static_cast<std::uint8_t>(i * 8);
    std::uint8_t out[16];
    xDeNoise(out, in, 4, 4);
    EXPECT_EQ(26, out[0]);   // corner: (8 + 32 + 40) / 3
    EXPECT_EQ(27, out[1]);   // border: (0 + 16 + 32 + 40 + 48) / 5
    EXPECT_EQ(40, out[5]);   // interior: 320 >> 3
    EXPECT_EQ(80, out[10]);  // interior: 640 >> 3
    EXPECT_EQ(51, out[7]);   // right border: (16 + 24 + 48 + 80 + 88) / 5
    EXPECT_EQ(93, out[15]);  // corner: (80 + 88 + 112) / 3

    std::uint8_t flat[6 * 5];
    std::fill(std::begin(flat), std::end(flat), 77);
    std::uint8_t flatOut[6 * 5];
    xDeNoise(flatOut, flat, 6, 5);
    for (std::uint8_t v : flatOut) EXPECT_EQ(77, v);
}

TEST(GrayImage, ThreeByThreeFiltersClipTheirWindowAtTheBorder) {
    std::uint8_t dot[16] = {};
    dot[1 * 4 + 1] = 255;
    std::uint8_t out[16];
    xDilation(out, dot, 4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ((x <= 2 && y <= 2) ? 255 : 0, out[y * 4 + x]) << x << "," << y;

    std::uint8_t hole[16];
    std::fill(std::begin(hole), std::end(hole), 255);
    hole[15] = 0;
    xErosion(out, hole, 4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ((x >= 2 && y >= 2) ? 0 : 255, out[y * 4 + x]) << x << "," << y;

    std::uint8_t peak[16];
    std::fill(std::begin(peak), std::end(peak), 10);
    peak[0] = 100;
    xEdge(out, peak, 4, 4);
    EXPECT_EQ(90, out[0]);
    EXPECT_EQ(90, out[1]);
    EXPECT_EQ(90, out[5]);
    EXPECT_EQ(0, out[10]);
}

TEST(GrayImage, DifferenceCountsOnlyWhatExceedsTheThreshold) {
    const std::uint8_t a[] = {100, 100, 100, 100};
    const std::uint8_t b[] = {119, 120, 80, 81};
    std::uint8_t out[4];
    xDiffGray(out, a, b, 4, 1, 19);
    EXPECT_EQ(0, out[0]);
    EXPECT_EQ(255, out[1]);
    EXPECT_EQ(255, out[2]);
    EXPECT_EQ(0, out[3]);
}

TEST(GrayImage, BaseDriftsOneLevelPerPassUntilItMeetsTheScene) {
    std::uint8_t base[] = {40, 60, 50};
    const std::uint8_t current[] = {50, 50, 50};
    for (int pass = 1; pass <= 10; ++pass) {
        xMoveImgForword(base, current, 3, 1, 1);
        if (pass < 10) {
            EXPECT_EQ(40 + pass, base[0]) << pass;
        }
    }
    EXPECT_EQ(50, base[0]);
    EXPECT_EQ(50, base[1]);
    xMoveImgForword(base, current, 3, 1, 1);
    EXPECT_EQ(50, base[0]);
    EXPECT_EQ(50, base[2]);
}

TEST(GrayImage, RectangleIsScaledAndClippedToTheFrame) {
    SyntheticFrame f(40, 30);
    xDrawRect(f.Data(), 40, 30, MotionRect{1, 1, 3, 2}, 8, kMarkYellow);
    EXPECT_TRUE(f.PixelIs(8, 8, kMarkYellow));
    EXPECT_TRUE(f.PixelIs(24, 8, kMarkYellow));
    EXPECT_TRUE(f.PixelIs(16, 8, kMarkYellow));   // top edge
    EXPECT_TRUE(f.PixelIs(16, 16, kMarkYellow));  // bottom edge
    EXPECT_TRUE(f.PixelIs(8, 12, kMarkYellow));   // left side
    EXPECT_TRUE(f.PixelIs(24, 12, kMarkYellow));  // right side
    EXPECT_TRUE(f.PixelIs(16, 12, Colour{0, 0, 0}));
    EXPECT_TRUE(f.PixelIs(25, 8, Colour{0, 0, 0}));

    // Edges past the frame land on the last column and row.
    SyntheticFrame g(40, 30);
    xDrawRect(g.Data(), 40, 30, MotionRect{2, 2, 5, 4}, 8, kMarkRed);
    EXPECT_TRUE(g.PixelIs(39, 20, kMarkRed));
    EXPECT_TRUE(g.PixelIs(30, 29, kMarkRed));
    EXPECT_TRUE(g.PixelIs(16, 29, kMarkRed));
    EXPECT_TRUE(g.PixelIs(38, 28, Colour{0, 0, 0}));
}

// A 2 x 2 block of mask at columns 2-3, rows 1-2 of a 6 x 5 mask: every pixel
// whose 2 x 2 square straddles the block's edge is painted, nothing else.
TEST(GrayImage, OutlinePaintsWhereTheMaskSquareIsNotUniform) {
    std::uint8_t mask[6 * 5] = {};
    for (int y = 1; y <= 2; ++y)
        for (int x = 2; x <= 3; ++x) mask[y * 6 + x] = 255;
    SyntheticFrame f(6, 5);
    xImgOutline(mask, f.Data(), 6, 5, kMarkRed);
    const std::array<std::array<int, 2>, 8> painted = {
        {{1, 0}, {2, 0}, {3, 0}, {1, 1}, {3, 1}, {1, 2}, {2, 2}, {3, 2}}};
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 6; ++x) {
            bool expected = false;
            for (auto& p : painted) expected |= (p[0] == x && p[1] == y);
            EXPECT_EQ(expected, f.PixelIs(x, y, kMarkRed)) << x << "," << y;
        }
    }
}
