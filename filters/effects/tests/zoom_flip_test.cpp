#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <vector>

#include "EachSimdLevel.h"
#include "TestFrame.h"
#include "kernels/FlipZoom.h"
#include "kernels/ZoomRows.h"

namespace vimbrel::effects {
namespace {

// Working memory shared by the stages under test, as the pipeline shares it.
CScratch scratch;

TEST(Flip, EachFlagAndBoth) {
    CTestFrame f(3, 2);
    f.FillDistinct();
    const CTestFrame src = f;

    FlipFrame(f.View(), true, false);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(f.At(k, 0), src.At(k, 1));
        EXPECT_EQ(f.At(k, 1), src.At(k, 0));
    }
    FlipFrame(f.View(), true, false);
    EXPECT_EQ(f.Pixels(), src.Pixels());

    FlipFrame(f.View(), false, true);
    EXPECT_EQ(f.At(0, 1), src.At(2, 1));
    EXPECT_EQ(f.At(1, 1), src.At(1, 1));
    FlipFrame(f.View(), false, true);
    EXPECT_EQ(f.Pixels(), src.Pixels());

    FlipFrame(f.View(), true, true);  // a half turn
    for (int r = 0; r < 2; ++r)
        for (int k = 0; k < 3; ++k) EXPECT_EQ(f.At(k, r), src.At(2 - k, 1 - r));
}

TEST(Flip, MirrorMovesTheWhiteHalfLeft) {
    CTestFrame f(6, 3);
    for (int r = 0; r < 3; ++r)
        for (int k = 0; k < 6; ++k) f.Set(k, r, GreyPixel(k < 3 ? 0 : 255));
    FlipFrame(f.View(), false, true);
    for (int r = 0; r < 3; ++r) EXPECT_EQ(f.GreyRow(r), (std::vector<int>{255, 255, 255, 0, 0, 0}));
}

TEST(Zoom, FactorsThatCannotZoomActAsOne) {
    EXPECT_EQ(UsableZoomFactor(0.0f), 1.0f);
    EXPECT_EQ(UsableZoomFactor(0.5f), 1.0f);
    EXPECT_EQ(UsableZoomFactor(-3.0f), 1.0f);
    EXPECT_EQ(UsableZoomFactor(std::numeric_limits<float>::quiet_NaN()), 1.0f);
    EXPECT_EQ(UsableZoomFactor(std::numeric_limits<float>::infinity()), 1.0f);
    EXPECT_EQ(UsableZoomFactor(2.0f), 2.0f);

    const ZoomCrop c = ComputeZoomCrop(640, 480, 2.0f);
    EXPECT_EQ(c.x0, 160);
    EXPECT_EQ(c.y0, 120);
    EXPECT_EQ(c.width, 320);
    EXPECT_EQ(c.height, 240);
}

TEST(Zoom, FactorOneIsTheIdentityForNearestAndBilinear) {
    for (float factor : {1.0f, 0.5f, std::numeric_limits<float>::quiet_NaN()}) {
        CTestFrame f(7, 5);
        f.FillNoise(9);
        const CTestFrame src = f;
        ZoomNearest(f.View(), factor, false, false, scratch);
        EXPECT_EQ(f.Pixels(), src.Pixels());
        ZoomBilinear(f.View(), factor, false, false, scratch);
        EXPECT_EQ(f.Pixels(), src.Pixels());
        ZoomBilinearPlain(f.View(), factor, false, false, scratch);
        EXPECT_EQ(f.Pixels(), src.Pixels());
    }
}

TEST(Zoom, NearestAtTwoRepeatsTheCentreHalf) {
    CTestFrame f(4, 4);
    f.FillDistinct();
    const CTestFrame src = f;
    ZoomNearest(f.View(), 2.0f, false, false, scratch);
    // Crop origin (1, 1), size 2 x 2; each source pixel twice each way.
    const int from[4] = {1, 1, 2, 2};
    for (int r = 0; r < 4; ++r)
        for (int k = 0; k < 4; ++k) EXPECT_EQ(f.At(k, r), src.At(from[k], from[r]));

    CTestFrame m = src;
    ZoomNearest(m.View(), 2.0f, true, true, scratch);
    const int flipped[4] = {2, 2, 1, 1};
    for (int r = 0; r < 4; ++r)
        for (int k = 0; k < 4; ++k) EXPECT_EQ(m.At(k, r), src.At(flipped[k], flipped[r]));
}

TEST(Zoom, BilinearAtTwoCopiesEvenAndAveragesOddPositions) {
    for (auto zoom : {&ZoomBilinear, &ZoomBilinearPlain}) {
        CTestFrame cols(4, 4);
        cols.SetGreyRows({{0, 100, 200, 40}, {0, 100, 200, 40}, {0, 100, 200, 40}, {0, 100, 200, 40}});
        CTestFrame mirrored = cols;
        zoom(cols.View(), 2.0f, false, false, scratch);
        for (int r = 0; r < 4; ++r) EXPECT_EQ(cols.GreyRow(r), (std::vector<int>{100, 150, 200, 120}));
        // Mirrored, columns count from the right and interpolate leftwards.
        zoom(mirrored.View(), 2.0f, false, true, scratch);
        EXPECT_EQ(mirrored.GreyRow(0), (std::vector<int>{200, 150, 100, 50}));

        CTestFrame rows(4, 4);
        rows.SetGreyRows({{0, 0, 0, 0}, {10, 10, 10, 10}, {50, 50, 50, 50}, {90, 90, 90, 90}});
        zoom(rows.View(), 2.0f, false, false, scratch);
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(rows.At(k, 0).g, 10);
            EXPECT_EQ(rows.At(k, 1).g, 30);
            EXPECT_EQ(rows.At(k, 2).g, 50);
            EXPECT_EQ(rows.At(k, 3).g, 70);
        }
    }
}

TEST(Zoom, BilinearBetweenFourPixelsTruncates) {
    // 4 x 4 at 2: output (1, 1) lies halfway between source columns 1, 2 and
    // rows 1, 2 (crop origin 1): (10 + 21 + 40 + 60) / 4 = 32.75 -> 32. Its
    // row neighbour (1, 0) lands on row 1: (10 + 21) / 2 = 15.5 -> 15; its
    // column neighbour (0, 1) on column 1: (10 + 40) / 2 = 25.
    for (auto zoom : {&ZoomBilinear, &ZoomBilinearPlain}) {
        CTestFrame f(4, 4);
        f.SetGreyRows({{0, 0, 0, 0}, {0, 10, 21, 0}, {0, 40, 60, 0}, {0, 0, 0, 0}});
        zoom(f.View(), 2.0f, false, false, scratch);
        EXPECT_EQ(f.At(1, 1).g, 32);
        EXPECT_EQ(f.At(1, 0).g, 15);
        EXPECT_EQ(f.At(0, 1).g, 25);
        EXPECT_EQ(f.At(0, 0).g, 10);
    }
}

TEST(Zoom, BicubicWeightsAtFactorOne) {
    EXPECT_NEAR(CubicWeight(0.0), 0.668, 1e-12);
    EXPECT_NEAR(CubicWeight(1.0), 0.167, 1e-12);
    EXPECT_NEAR(CubicWeight(-1.0), 0.167, 1e-12);
    EXPECT_EQ(CubicWeight(2.0), 0.0);
    EXPECT_EQ(CubicWeight(2.5), 0.0);

    for (auto zoom : {&ZoomBicubic, &ZoomBicubicPlain, &ZoomBicubicReference}) {
        CTestFrame f(5, 5);
        f.Set(2, 2, GreyPixel(255));
        zoom(f.View(), 1.0f, false, false, scratch);
        EXPECT_EQ(f.At(2, 2).g, 113);  // 255 x 0.668 x 0.668
        EXPECT_EQ(f.At(1, 2).g, 28);   // 255 x 0.668 x 0.167
        EXPECT_EQ(f.At(3, 2).g, 28);
        EXPECT_EQ(f.At(1, 1).g, 7);  // 255 x 0.167 x 0.167
        EXPECT_EQ(f.At(0, 2).g, 0);
    }
    // Weights add up to 1.002 each way: 100 x 1.004 stays 100, 255 x 1.004
    // clamps to 255, and 254 x 1.004 = 255.02 rises to 255.
    for (auto zoom : {&ZoomBicubic, &ZoomBicubicPlain}) {
        CTestFrame u(6, 6);
        u.Fill(Bgr{100, 255, 254});
        zoom(u.View(), 1.7f, false, false, scratch);
        EXPECT_EQ(u.At(3, 3), (Bgr{100, 255, 255}));
    }
}

TEST(Zoom, BicubicFlipsOnlyWhereResultsAreWritten) {
    CTestFrame a(31, 17), b(31, 17);
    a.FillNoise(4);
    b.FillNoise(4);
    ZoomBicubic(a.View(), 2.3f, true, true, scratch);
    ZoomBicubic(b.View(), 2.3f, false, false, scratch);
    FlipFrame(b.View(), true, true);
    EXPECT_EQ(a.Pixels(), b.Pixels());
}

TEST(Zoom, SeparableBicubicAgreesWithTheDirectSum) {
    for (float factor : {1.0f, 1.5f, 2.0f, 3.7f}) {
        CTestFrame a(45, 33), b(45, 33);
        a.FillNoise(17);
        b.FillNoise(17);
        ZoomBicubic(a.View(), factor, false, true, scratch);
        ZoomBicubicReference(b.View(), factor, false, true, scratch);
        const auto pa = a.Pixels(), pb = b.Pixels();
        int worst = 0;
        for (std::size_t i = 0; i < pa.size(); ++i) worst = std::max(worst, std::abs(pa[i] - pb[i]));
        EXPECT_LE(worst, 1) << factor;
    }
}

// The vectorised zooms must give the plain ones' bytes exactly, and write
// nothing else: whole buffers are compared, row padding included, and packed
// frames end at their last pixel so a write past it shows under the address
// sanitizer. Widths 1 to 24 meet every remainder of the 16-byte and 16-float
// steps (3 w modulo 16 repeats after 16 widths); the larger ones add long
// rows with mirrored clamping at both ends. The nearest zoom keeps its
// tables in the shared scratch between calls; every loop here runs the
// other way each time round (flips in the order 0, 1, 3, 2), so from one
// call to the next only one of width, height, factor and the two flips
// changes, and tables kept for the wrong one would show.
TEST(Zoom, VectorisedZoomsGiveThePlainZoomsBytes) {
    std::vector<int> widths;
    for (int w = 1; w <= 24; ++w) widths.push_back(w);
    for (int w : {31, 33, 63, 65, 127, 161, 255, 321, 639, 640, 641}) widths.push_back(w);
    const int heights[] = {1, 2, 7};
    const float factors[] = {1.0f, 1.00157f, 1.5f, 1.7f, 2.0f, 2.3f, 3.0f, 4.0f, 8.0f};
    const int flipOrder[] = {0, 1, 3, 2};
    struct Method {
        const char* name;
        void (*fast)(const RgbFrame&, float, bool, bool, CScratch&);
        void (*plain)(const RgbFrame&, float, bool, bool, CScratch&);
    };
    const Method methods[] = {{"nearest", &ZoomNearest, &ZoomNearestPlain},
                              {"bilinear", &ZoomBilinear, &ZoomBilinearPlain},
                              {"bicubic", &ZoomBicubic, &ZoomBicubicPlain}};
    int turns[3] = {};  // how often the height, factor and flip loops have run
    const auto nth = [&](int loop, int i, int n) { return turns[loop] % 2 ? n - 1 - i : i; };
    simd::testing::ForEachOfferedSimdLevel([&](simd::SimdLevel) {
        for (int w : widths) {
            for (int hi = 0; hi < 3; ++hi) {
                const int h = heights[nth(0, hi, 3)];
                if (w > 200 && h == 2) continue;  // long rows: the 1-row and 7-row frames do
                for (bool packed : {false, true}) {
                    CTestFrame source(w, h, packed);
                    source.FillNoise(static_cast<uint32_t>(w * 31 + h));
                    for (int fi = 0; fi < 9; ++fi) {
                        const float factor = factors[nth(1, fi, 9)];
                        for (int ti = 0; ti < 4; ++ti) {
                            const int flips = flipOrder[nth(2, ti, 4)];
                            for (const Method& m : methods) {
                                CTestFrame fast = source, plain = source;
                                m.fast(fast.View(), factor, flips & 1, flips & 2, scratch);
                                m.plain(plain.View(), factor, flips & 1, flips & 2, scratch);
                                ASSERT_EQ(fast.Buffer(), plain.Buffer())
                                    << m.name << " " << w << " x " << h << (packed ? " packed" : "") << " at " << factor
                                    << " flips " << flips;
                            }
                        }
                        ++turns[2];
                    }
                    ++turns[1];
                }
            }
            ++turns[0];
        }
    });
}

// Uniform frames reach the clamps: 255 x 1.002 x 1.002 is 256.02.
TEST(Zoom, VectorisedZoomsMatchAtTheClampsAndOnTopDownFrames) {
    simd::testing::ForEachOfferedSimdLevel([&](simd::SimdLevel) {
        for (int w : {1, 5, 17, 80}) {
            CTestFrame white(w, 9), topDown(w, 9);
            white.Fill(GreyPixel(255));
            topDown.FillNoise(5);
            for (auto* f : {&white, &topDown}) {
                std::vector<uint8_t> buffer = f->Buffer();
                const int h = f == &topDown ? -9 : 9;  // a negative height describes top-down rows
                RgbFrame view;
                ASSERT_TRUE(MakeFrameView(buffer.data(), buffer.size(), w, h, view));
                std::vector<uint8_t> plainBuffer = buffer;
                RgbFrame plainView;
                ASSERT_TRUE(MakeFrameView(plainBuffer.data(), plainBuffer.size(), w, h, plainView));
                ZoomBicubic(view, 2.3f, true, true, scratch);
                ZoomBicubicPlain(plainView, 2.3f, true, true, scratch);
                EXPECT_EQ(buffer, plainBuffer) << w;
                ZoomBilinear(view, 1.7f, false, true, scratch);
                ZoomBilinearPlain(plainView, 1.7f, false, true, scratch);
                EXPECT_EQ(buffer, plainBuffer) << w;
                ZoomNearest(view, 1.5f, true, true, scratch);
                ZoomNearestPlain(plainView, 1.5f, true, true, scratch);
                EXPECT_EQ(buffer, plainBuffer) << w;
                if (f == &white) {
                    EXPECT_EQ(buffer[3 * (w / 2)], 255);
                }
            }
        }
    });
}

TEST(ZoomRows, CubicColumnsClampTruncateAndWriteThreeBytesEach) {
    // Blended pixels 0 and 2: 300, 255.9, 12.7; pixels 1 and 3: -0.5, 256, 0.
    // One float of slack after the row, as the zoom keeps it.
    const float blended[13] = {300.0f, 255.9f, 12.7f, -0.5f,  256.0f, 0.0f, 300.0f,
                               255.9f, 12.7f,  -0.5f, 256.0f, 0.0f,   0.0f};
    CubicColumn whole0{0, {1.0f, 0.0f, 0.0f, 0.0f}};
    CubicColumn whole1{0, {0.0f, 0.0f, 0.0f, 1.0f}};
    // 0.25 of each: 0.5 x (300 + -0.5) = 149.75, (255.9 + 256) / 2 = 255.95,
    // (12.7 + 0) / 2 = 6.35.
    CubicColumn mixed{0, {0.25f, 0.25f, 0.25f, 0.25f}};
    const CubicColumn columns[3] = {whole0, whole1, mixed};
    uint8_t out[10];
    std::memset(out, 0xAB, sizeof out);
    BlendCubicColumns(blended, columns, 3, out);
    EXPECT_EQ((std::vector<int>(out, out + 10)), (std::vector<int>{255, 255, 12, 0, 255, 0, 149, 255, 6, 0xAB}));
}

TEST(ZoomRows, LinearRowsTruncateEveryChannelOfALongRun) {
    // 19 channels: one 16-channel step and a tail of three.
    std::vector<float> pixelA(19), neighbourA(19), pixelB(19), neighbourB(19);
    for (int i = 0; i < 19; ++i) {
        pixelA[i] = static_cast<float>(i) * 20.0f;  // weight 0.75
        neighbourA[i] = 1.0f;
        pixelB[i] = 100.0f;  // weight 0.25
        neighbourB[i] = static_cast<float>(i);
    }
    uint8_t out[20];
    std::memset(out, 0xAB, sizeof out);
    BlendLinearRows(WeighedRow{pixelA.data(), neighbourA.data()}, WeighedRow{pixelB.data(), neighbourB.data()}, 0.75f,
                    0.25f, 19, out);
    for (int i = 0; i < 19; ++i) {
        // 15 i + 0.75 + 25 + 0.25 i = 15.25 i + 25.75, truncated: 254 at
        // i = 15 (254.5), clamped to 255 from i = 16 (269.75) on.
        const int expected = std::min(255, static_cast<int>(15.25 * i + 25.75));
        EXPECT_EQ(out[i], expected) << i;
    }
    EXPECT_EQ(out[19], 0xAB);
}

TEST(ZoomRows, LinearColumnsWeighEachPixelAndItsNeighbour) {
    // A 3-pixel source row; the last column reads the row's last pixel, where
    // only three bytes may be read.
    const uint8_t src[9] = {10, 20, 30, 40, 50, 60, 70, 80, 90};
    const LinearColumn columns[2] = {{0, 3, 0.5f, 0.25f}, {6, 6, 1.0f, 0.0f}};
    float pixel[7], neighbour[7];
    WeighLinearColumns(src, 9, columns, 2, pixel, neighbour);
    EXPECT_EQ((std::vector<float>(pixel, pixel + 6)), (std::vector<float>{5, 10, 15, 70, 80, 90}));
    EXPECT_EQ((std::vector<float>(neighbour, neighbour + 6)), (std::vector<float>{10, 12.5f, 15, 0, 0, 0}));
}

TEST(Zoom, NeighboursStayInsideNearTheEdges) {
    // 640 wide at 1.00157: the crop is one pixel short of the frame, so the
    // interpolation neighbour of the last column lies on the edge.
    for (bool flip : {false, true}) {
        CTestFrame f(640, 4, true);
        f.FillNoise(2);
        ZoomBilinear(f.View(), 1.00157f, flip, flip, scratch);
        ZoomBicubic(f.View(), 1.00157f, flip, flip, scratch);
        ZoomNearest(f.View(), 1000.0f, flip, flip, scratch);
    }
}

}  // namespace
}  // namespace vimbrel::effects
