#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "TestFrame.h"
#include "kernels/SpatialEffects.h"

namespace vimbrel::effects {
namespace {

// Working memory shared by the stages under test, as the pipeline shares it.
CScratch scratch;

class CFixedRandom final : public IRandomSource {
public:
    explicit CFixedRandom(int value) : value_(value) {}
    int Next() override { return value_; }

private:
    int value_;
};

class CCountingRunner final : public ITileRunner {
public:
    void RunTiles(int count, TileWork work, void* context) override {
        tiles = count;
        for (int i = count - 1; i >= 0; --i) work(context, i);  // any order must do
    }
    int tiles = 0;
};

TEST(Despeckle, SmoothsOnlySmallDeviationsAndNeverTheBorder) {
    CTestFrame f(3, 3);
    f.Fill(GreyPixel(100));
    f.Set(1, 1, Bgr{95, 120, 80});
    f.Set(0, 0, GreyPixel(7));
    Despeckle(f.View(), 15, scratch);
    // Every channel's neighbour mean is (7 + 7 x 100) >> 3 = 88: blue (7 off)
    // and red (8 off) take it, green (32 off) keeps its value.
    EXPECT_EQ(f.At(1, 1), (Bgr{88, 120, 88}));
    EXPECT_EQ(f.At(0, 0), GreyPixel(7));

    CTestFrame border(6, 5);
    border.FillNoise(3);
    const CTestFrame before = border;
    Despeckle(border.View(), 255, scratch);
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(border.At(k, 0), before.At(k, 0));
        EXPECT_EQ(border.At(k, 4), before.At(k, 4));
    }
    for (int r = 0; r < 5; ++r) {
        EXPECT_EQ(border.At(0, r), before.At(0, r));
        EXPECT_EQ(border.At(5, r), before.At(5, r));
    }
}

TEST(Blur, TwoRowFrameAveragesForwardBlocks) {
    for (auto blur : {&Blur, &BlurPlain}) {
        CTestFrame f(5, 2);
        f.SetGreyRows({{0, 16, 32, 48, 64}, {80, 96, 112, 128, 144}});
        blur(f.View());
        // Row 0 (two rows left): 512 >> 3, 640 >> 3, 528 / 6, 384 >> 2, copy.
        EXPECT_EQ(f.GreyRow(0), (std::vector<int>{64, 80, 88, 96, 96}));
        // Last row: 416 >> 2, 480 >> 2, 384 / 3, 272 >> 1, copy.
        EXPECT_EQ(f.GreyRow(1), (std::vector<int>{104, 120, 128, 136, 136}));
    }
}

TEST(Blur, FourRowBlocksAndNarrowFrames) {
    for (auto blur : {&Blur, &BlurPlain}) {
        CTestFrame tall(1, 4);
        tall.SetGreyRows({{10}, {20}, {30}, {40}});
        blur(tall.View());
        // 100 / 4, then two-row blocks (20 + 30) / 2 and (30 + 40) / 2, then 40.
        EXPECT_EQ(tall.At(0, 0).g, 25);
        EXPECT_EQ(tall.At(0, 1).g, 25);
        EXPECT_EQ(tall.At(0, 2).g, 35);
        EXPECT_EQ(tall.At(0, 3).g, 40);

        CTestFrame pair(2, 1);
        pair.SetGreyRows({{10, 30}});
        blur(pair.View());
        EXPECT_EQ(pair.GreyRow(0), (std::vector<int>{20, 20}));

        CTestFrame block(4, 4);
        for (int r = 0; r < 4; ++r)
            for (int k = 0; k < 4; ++k) block.Set(k, r, GreyPixel(static_cast<uint8_t>(16 * r + k)));
        blur(block.View());
        // Row 0, column 0 takes all sixteen: (384 + 24) >> 4.
        EXPECT_EQ(block.At(0, 0).g, 25);
    }
}

TEST(Blur, WholeBlockRunGivesThePlainBytes) {
    // Widths around the four-column run's end and heights over every
    // block-row case, packed and padded rows, bright noise near the top of
    // the 16-bit sums.
    for (int w : {1, 2, 3, 4, 5, 6, 7, 8, 13, 64, 641}) {
        for (int h : {1, 2, 3, 4, 5, 9}) {
            for (bool packed : {true, false}) {
                CTestFrame fast(w, h, packed);
                fast.FillNoise(static_cast<uint32_t>(w * 31 + h));
                CTestFrame plain = fast;
                Blur(fast.View());
                BlurPlain(plain.View());
                ASSERT_EQ(fast.Buffer(), plain.Buffer()) << w << " x " << h << (packed ? " packed" : " padded");
            }
        }
    }
    CTestFrame white(9, 4);
    white.Fill(GreyPixel(255));
    Blur(white.View());
    EXPECT_TRUE(white.IsUniform(GreyPixel(255)));
}

TEST(Sharpen, AgainstNextPixelAndNextRow) {
    CTestFrame f(3, 2);
    f.SetGreyRows({{100, 50, 80}, {60, 70, 20}});
    Sharpen(f.View());
    // 300 - 60 - 50, 150 - 70 - 80, last column 160 - 20.
    EXPECT_EQ(f.GreyRow(0), (std::vector<int>{190, 0, 140}));
    // Last row: 120 - 70, 140 - 20, last pixel stays.
    EXPECT_EQ(f.GreyRow(1), (std::vector<int>{50, 120, 20}));
}

TEST(Emboss, GreyStepsAroundMidGrey) {
    CTestFrame f(4, 1);
    f.SetGreyRows({{100, 110, 50, 200}});
    Emboss(f.View());
    EXPECT_EQ(f.GreyRow(0), (std::vector<int>{125, 155, 1, 250}));

    CTestFrame uniform(7, 3);
    uniform.Fill(Bgr{10, 200, 40});
    Emboss(uniform.View());
    EXPECT_TRUE(uniform.IsUniform(GreyPixel(125)));
}

TEST(Mosaic, BlocksHoldTheirExactMean) {
    CTestFrame f(4, 4);
    for (int r = 0; r < 4; ++r)
        for (int k = 0; k < 4; ++k) f.Set(k, r, GreyPixel(static_cast<uint8_t>(10 * k + r)));
    Mosaic(f.View(), 0);
    EXPECT_EQ(f.At(0, 0).g, 11);
    EXPECT_EQ(f.At(2, 2).g, 11);
    EXPECT_EQ(f.At(3, 1).g, 31);
    EXPECT_EQ(f.At(1, 3).g, 13);
    EXPECT_EQ(f.At(3, 3).g, 33);

    // 640 x 480 at class 2: 12-pixel blocks, the last column of blocks 4 wide.
    CTestFrame big(640, 480);
    for (int r = 0; r < 480; ++r)
        for (int k = 0; k < 640; ++k) big.Set(k, r, GreyPixel(static_cast<uint8_t>(k % 12 < 6 ? 0 : 240)));
    for (int r = 0; r < 12; ++r)
        for (int k = 636; k < 640; ++k) big.Set(k, r, GreyPixel(static_cast<uint8_t>(4 * (k - 636))));
    Mosaic(big.View(), 2);
    EXPECT_EQ(big.At(0, 0).g, 120);
    EXPECT_EQ(big.At(11, 11).g, 120);
    EXPECT_EQ(big.At(635, 5).g, 120);
    EXPECT_EQ(big.At(636, 0).g, 6);  // (0 + 4 + 8 + 12) / 4
    EXPECT_EQ(big.At(639, 11).g, 6);
}

TEST(EdgeDetect, UniformFrameIsBlack) {
    CTestFrame f(9, 7);
    f.Fill(Bgr{40, 180, 90});
    EdgeDetect(f.View(), scratch);
    EXPECT_TRUE(f.IsUniform(GreyPixel(0)));
}

TEST(EdgeDetect, DespecklesThenStretchesAFaintEdge) {
    CTestFrame f(4, 3);
    f.SetGreyRows({{0, 0, 16, 16}, {0, 0, 16, 16}, {0, 0, 16, 16}});
    EdgeDetect(f.View(), scratch);
    // Despeckle turns the inner pixels into 6 and 10; greys become
    // 0/0/14/14, 0/4/8/14, 0/0/14/14; magnitudes 44 and 48, stretched by 255/48.
    EXPECT_EQ(f.GreyRow(1), (std::vector<int>{0, 233, 255, 0}));
    EXPECT_EQ(f.GreyRow(0), (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(f.GreyRow(2), (std::vector<int>{0, 0, 0, 0}));

    CTestFrame strong(3, 3);
    strong.SetGreyRows({{0, 0, 200}, {0, 0, 200}, {0, 0, 200}});
    EdgeDetect(strong.View(), scratch);
    EXPECT_EQ(strong.At(1, 1), GreyPixel(255));
}

TEST(Jitter, TakesDisplacedPixelsInsideTheFrameOnly) {
    CTestFrame f(3, 2);
    f.FillDistinct();
    const CTestFrame before = f;
    std::vector<int> right(10000, 0);
    for (std::size_t i = 0; i < right.size(); i += 2) right[i] = 1;
    Jitter(f.View(), right.data(), 10000, scratch);
    EXPECT_EQ(f.At(0, 0), before.At(1, 0));
    EXPECT_EQ(f.At(1, 1), before.At(2, 1));
    EXPECT_EQ(f.At(2, 1), before.At(2, 1));  // would leave the frame: stays

    // Pairs continue across rows: the second row starts with pair 3.
    std::vector<int> pairs = {0, 0, 0, 0, 0, 0, 1, 0};
    CTestFrame g(3, 2);
    g.FillDistinct();
    const CTestFrame gBefore = g;
    Jitter(g.View(), pairs.data(), static_cast<int>(pairs.size()), scratch);
    EXPECT_EQ(g.At(0, 1), gBefore.At(1, 1));
    EXPECT_EQ(g.At(1, 1), gBefore.At(1, 1));  // wrapped back to pair 0
}

TEST(Jitter, EveryPixelComesFromWithinFour) {
    CTestFrame f(40, 30);
    f.FillDistinct();
    const CTestFrame before = f;
    std::vector<int> offsets(10000);
    uint32_t seed = 11;
    for (int& o : offsets) {
        seed = seed * 1103515245u + 12345u;
        o = static_cast<int>((seed >> 16) % 9) - 4;
    }
    Jitter(f.View(), offsets.data(), 10000, scratch);
    for (int r = 0; r < 30; ++r) {
        for (int k = 0; k < 40; ++k) {
            const Bgr p = f.At(k, r);  // blue carries the column, green the row
            EXPECT_LE(std::abs(p.b - k), 4);
            EXPECT_LE(std::abs(p.g - r), 4);
            EXPECT_EQ(p, before.At(p.b, p.g));
        }
    }
}

TEST(Kaleidoscope, FoldsTheWindowEightfold) {
    CTestFrame f(4, 4);
    for (int r = 0; r < 4; ++r)
        for (int k = 0; k < 4; ++k) f.Set(k, r, GreyPixel(static_cast<uint8_t>(10 * r + k)));
    KaleidoscopeState state{0.0f, 0.0f, 0.2f, 0.2f};
    CFixedRandom random(0);
    Kaleidoscope(f.View(), state, 1, 40, random, scratch);
    // Window 2 x 2 at the origin; folded rows 0 1 1 0, columns 0 1 1 0; each
    // pixel shows window (max, min) = 10 x max + min.
    EXPECT_EQ(f.GreyRow(0), (std::vector<int>{0, 10, 10, 0}));
    EXPECT_EQ(f.GreyRow(1), (std::vector<int>{10, 11, 11, 10}));
    EXPECT_EQ(f.GreyRow(2), (std::vector<int>{10, 11, 11, 10}));
    EXPECT_EQ(f.GreyRow(3), (std::vector<int>{0, 10, 10, 0}));
    EXPECT_FLOAT_EQ(state.x, 0.2f);
    EXPECT_FLOAT_EQ(state.y, 0.2f);
}

TEST(Kaleidoscope, TurnsAtTheEdgeWithANewSpeed) {
    CTestFrame f(8, 6);
    f.FillDistinct();
    KaleidoscopeState state{3.5f, 0.0f, 0.6f, 0.1f};
    CFixedRandom random(5);  // (5 + 8) / 10 = 1.3
    Kaleidoscope(f.View(), state, 1, 10, random, scratch);
    // trunc(4.1) + 4 reaches the width: reverse to -1.3.
    EXPECT_FLOAT_EQ(state.vx, -1.3f);
    EXPECT_FLOAT_EQ(state.x, 2.2f);
    EXPECT_FLOAT_EQ(state.vy, 0.1f);
}

TEST(Kaleidoscope, SymmetricAndKeepsTheCentreAsAsked) {
    CTestFrame f(40, 30);
    f.FillDistinct();
    KaleidoscopeState state{3.0f, 2.0f, 0.5f, 0.5f};
    CFixedRandom random(0);
    Kaleidoscope(f.View(), state, 1, 20, random, scratch);
    for (int r = 0; r < 30; ++r) {
        for (int k = 0; k < 40; ++k) {
            ASSERT_EQ(f.At(k, r), f.At(39 - k, r));
            ASSERT_EQ(f.At(k, r), f.At(k, 29 - r));
        }
    }

    CTestFrame g(40, 30);
    g.FillDistinct();
    const CTestFrame before = g;
    KaleidoscopeState keep{3.0f, 2.0f, 0.5f, 0.5f};
    Kaleidoscope(g.View(), keep, 0, 20, random, scratch);
    // Radius squared 900 / 20 = 45 around (20, 15).
    EXPECT_EQ(g.At(20, 15), before.At(20, 15));
    EXPECT_EQ(g.At(26, 15), before.At(26, 15));  // 36 < 45
    EXPECT_NE(g.At(27, 15), before.At(27, 15));  // 49: replaced
}

TEST(Kaleidoscope, WideAndTallFramesFinishInsideTheBuffer) {
    CFixedRandom random(9);  // the largest speed
    for (auto [w, h] : {std::pair{1280, 480}, std::pair{2, 1}, std::pair{3, 2}, std::pair{8, 2}, std::pair{480, 640},
                        std::pair{1, 9}}) {
        CTestFrame f(w, h);
        f.FillNoise(5);
        KaleidoscopeState state{0.0f, 0.0f, 3.4f, 3.4f};
        for (int frame = 0; frame < 5; ++frame) Kaleidoscope(f.View(), state, frame % 2, 5, random, scratch);
        EXPECT_GE(static_cast<int>(state.y), 0) << w << "x" << h;
    }
    EXPECT_EQ(KaleidoscopeWindow(1280, 480), 479);
    EXPECT_EQ(KaleidoscopeWindow(640, 480), 320);
    EXPECT_EQ(KaleidoscopeWindow(2, 1), 0);
}

TEST(OilPainting, MostFrequentLevelFirstReachedWinsTies) {
    CTestFrame f(4, 4);
    f.Fill(GreyPixel(0));
    // Samples of every point, in order: (0,0) level 0, (2,0) level 87,
    // (0,2) level 87, (2,2) level 0. Level 87 reaches two first.
    f.Set(0, 0, Bgr{0, 0, 0});
    f.Set(2, 0, Bgr{100, 100, 100});
    f.Set(0, 2, Bgr{103, 100, 100});
    f.Set(2, 2, Bgr{7, 0, 0});
    CCountingRunner runner;
    OilPainting(f.View(), runner, scratch);
    EXPECT_EQ(runner.tiles, 4);
    for (int r = 0; r < 4; ++r)
        for (int k = 0; k < 4; ++k) EXPECT_EQ(f.At(k, r), (Bgr{101, 100, 100})) << k << "," << r;
}

TEST(OilPainting, LargeFramesSampleNeighbouringBlocksAndKeepTheTieRule) {
    // 402 x 302 is pre-averaged; tiles start at columns 0, 100, 201, 301 and
    // rows 0, 75, 151, 226, so the point (201, 149) belongs to a tile with
    // an odd origin. Its samples (x 199..205, y 147..153 in steps of 2) lie
    // in the 2 x 2 blocks starting at x 198..204 and y 146..152. Sample i
    // (row-major) gets grey 8 (i + 1): levels 7, 14, ... 112, all distinct.
    CTestFrame f(402, 302);
    f.Fill(GreyPixel(0));
    auto paintBlock = [&](int i, Bgr colour) {
        const int x = 198 + 2 * (i % 4), y = 146 + 2 * (i / 4);
        for (int dy = 0; dy < 2; ++dy)
            for (int dx = 0; dx < 2; ++dx) f.Set(x + dx, y + dy, colour);
    };
    for (int i = 0; i < 16; ++i) paintBlock(i, GreyPixel(static_cast<uint8_t>(8 * (i + 1))));
    // Level 175 (grey 200) at samples 1 and 9; level 75 at samples 2 and 5,
    // from two colours: 75 reaches a count of two first and wins, and its
    // mean is ((0 + 7) / 2, 100, 100).
    paintBlock(1, GreyPixel(200));
    paintBlock(9, GreyPixel(200));
    paintBlock(2, Bgr{0, 100, 100});
    paintBlock(5, Bgr{7, 100, 100});
    CTestFrame reference = f;
    CSerialTileRunner serial;
    OilPainting(f.View(), serial, scratch);
    EXPECT_EQ(f.At(201, 149), (Bgr{3, 100, 100}));
    EXPECT_EQ(f.At(202, 149), (Bgr{3, 100, 100}));
    // Row 150 is the second row of the point's block: the tile of rows
    // 75..150 paints it, up to where the next tile starts at 151.
    EXPECT_EQ(f.At(201, 150), (Bgr{3, 100, 100}));
    OilPaintingReference(reference.View(), scratch);
    EXPECT_EQ(f.Pixels(), reference.Pixels());
}

TEST(OilPainting, MatchesThePlainHistogramVersion) {
    // Coarse noise repeats levels, so majorities and ties are common.
    // Large frames read per-block planes, small ones per-pixel planes; the
    // sizes cover odd edges, one-pixel rows and columns on both sides of 400 x 300.
    const std::pair<int, int> sizes[] = {{642, 482}, {641, 481}, {402, 540}, {300, 200}, {7, 3},
                                         {2, 301},   {1, 302},   {403, 1},   {401, 3},   {1, 1}};
    for (auto [w, h] : sizes) {
        CTestFrame a(w, h);
        a.FillNoise(33);
        for (int r = 0; r < h; ++r)
            for (int k = 0; k < w; ++k) {
                const Bgr p = a.At(k, r);
                a.Set(k, r,
                      Bgr{static_cast<uint8_t>(p.b & 0xC0), static_cast<uint8_t>(p.g & 0xC0),
                          static_cast<uint8_t>(p.r & 0x80)});
            }
        CTestFrame b = a;
        CSerialTileRunner serial;
        OilPainting(a.View(), serial, scratch);
        OilPaintingReference(b.View(), scratch);
        EXPECT_EQ(a.Pixels(), b.Pixels()) << w << "x" << h;
    }
}

TEST(OilPainting, EveryRowAndColumnIsPaintedWhereTilesDoNotDivideEvenly) {
    // A one-pixel checkerboard: on small frames every sample of a point has
    // the point's colour, which its block carries to the other colour; on
    // large frames the 2 x 2 averages are grey. Either way a painted row or
    // column differs somewhere from the checkerboard, an unpainted one never.
    // Tile edges fall on odd rows and columns, and on sizes where a tile's
    // points stop one short of the next tile (354 / 4 = 88, next at 177).
    const std::pair<int, int> sizes[] = {{351, 241}, {354, 302}, {402, 302}, {641, 481}, {5, 3}};
    for (auto [w, h] : sizes) {
        CTestFrame f(w, h);
        auto raw = [](int k, int r) { return GreyPixel((k + r) % 2 ? 255 : 0); };
        for (int r = 0; r < h; ++r)
            for (int k = 0; k < w; ++k) f.Set(k, r, raw(k, r));
        CThreadTileRunner threads;
        OilPainting(f.View(), threads, scratch);
        std::vector<bool> columnPainted(w), rowPainted(h);
        for (int r = 0; r < h; ++r)
            for (int k = 0; k < w; ++k)
                if (!(f.At(k, r) == raw(k, r))) columnPainted[k] = rowPainted[r] = true;
        for (int k = 0; k < w; ++k) EXPECT_TRUE(columnPainted[k]) << w << "x" << h << " column " << k;
        for (int r = 0; r < h; ++r) EXPECT_TRUE(rowPainted[r]) << w << "x" << h << " row " << r;
    }
}

TEST(OilPainting, TileCountFollowsTheFrameSize) {
    EXPECT_EQ(OilPaintingDivisions(640, 480), 4);
    EXPECT_EQ(OilPaintingDivisions(320, 240), 2);
    EXPECT_EQ(OilPaintingDivisions(401, 10), 4);
    EXPECT_EQ(OilPaintingDivisions(10, 301), 4);
}

TEST(OilPainting, ThreadsGiveTheSameBytesAsOneThread) {
    for (auto [w, h] : {std::pair{641, 481}, std::pair{960, 540}, std::pair{321, 239}, std::pair{5, 3}}) {
        CTestFrame a(w, h), b(w, h);
        a.FillNoise(21);
        b.FillNoise(21);
        CSerialTileRunner serial;
        CThreadTileRunner threads;
        OilPainting(a.View(), serial, scratch);
        OilPainting(b.View(), threads, scratch);
        EXPECT_EQ(a.Pixels(), b.Pixels()) << w << "x" << h;
    }
}

TEST(MirrorHalves, RightHalfMirrorsTheLeft) {
    CTestFrame f(5, 2);
    f.SetGreyRows({{1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}});
    MirrorHalves(f.View());
    EXPECT_EQ(f.GreyRow(0), (std::vector<int>{1, 2, 3, 2, 1}));
    EXPECT_EQ(f.GreyRow(1), (std::vector<int>{6, 7, 8, 7, 6}));

    CTestFrame even(4, 1);
    even.SetGreyRows({{1, 2, 3, 4}});
    MirrorHalves(even.View());
    EXPECT_EQ(even.GreyRow(0), (std::vector<int>{1, 2, 2, 1}));
}

}  // namespace
}  // namespace vimbrel::effects
