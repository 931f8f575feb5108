#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

#include "TestFrame.h"
#include "kernels/FlipZoom.h"

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
    CTestFrame cols(4, 4);
    cols.SetGreyRows({{0, 100, 200, 40}, {0, 100, 200, 40}, {0, 100, 200, 40}, {0, 100, 200, 40}});
    CTestFrame mirrored = cols;
    ZoomBilinear(cols.View(), 2.0f, false, false, scratch);
    for (int r = 0; r < 4; ++r) EXPECT_EQ(cols.GreyRow(r), (std::vector<int>{100, 150, 200, 120}));
    // Mirrored, columns count from the right and interpolate leftwards.
    ZoomBilinear(mirrored.View(), 2.0f, false, true, scratch);
    EXPECT_EQ(mirrored.GreyRow(0), (std::vector<int>{200, 150, 100, 50}));

    CTestFrame rows(4, 4);
    rows.SetGreyRows({{0, 0, 0, 0}, {10, 10, 10, 10}, {50, 50, 50, 50}, {90, 90, 90, 90}});
    ZoomBilinear(rows.View(), 2.0f, false, false, scratch);
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(rows.At(k, 0).g, 10);
        EXPECT_EQ(rows.At(k, 1).g, 30);
        EXPECT_EQ(rows.At(k, 2).g, 50);
        EXPECT_EQ(rows.At(k, 3).g, 70);
    }
}

TEST(Zoom, BicubicWeightsAtFactorOne) {
    EXPECT_NEAR(CubicWeight(0.0), 0.668, 1e-12);
    EXPECT_NEAR(CubicWeight(1.0), 0.167, 1e-12);
    EXPECT_NEAR(CubicWeight(-1.0), 0.167, 1e-12);
    EXPECT_EQ(CubicWeight(2.0), 0.0);
    EXPECT_EQ(CubicWeight(2.5), 0.0);

    for (auto zoom : {&ZoomBicubic, &ZoomBicubicReference}) {
        CTestFrame f(5, 5);
        f.Set(2, 2, GreyPixel(255));
        zoom(f.View(), 1.0f, false, false, scratch);
        EXPECT_EQ(f.At(2, 2).g, 113);  // 255 x 0.668 x 0.668
        EXPECT_EQ(f.At(1, 2).g, 28);   // 255 x 0.668 x 0.167
        EXPECT_EQ(f.At(3, 2).g, 28);
        EXPECT_EQ(f.At(1, 1).g, 7);    // 255 x 0.167 x 0.167
        EXPECT_EQ(f.At(0, 2).g, 0);
    }
    // Weights add up to 1.002: a uniform picture keeps its value or clamps.
    CTestFrame u(6, 6);
    u.Fill(Bgr{100, 255, 0});
    ZoomBicubic(u.View(), 1.7f, false, false, scratch);
    EXPECT_EQ(u.At(3, 3), (Bgr{100, 255, 0}));
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
