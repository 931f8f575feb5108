#include <gtest/gtest.h>

#include "EachSimdLevel.h"
#include "TestFrame.h"
#include "kernels/EffectIds.h"
#include "kernels/PixelPlanes.h"
#include "kernels/PointEffects.h"

namespace vimbrel::effects {
namespace {

// Working memory shared by the stages under test, as the pipeline shares it.
CScratch scratch;

Bgr AfterEffect(int effect, Bgr in) {
    CTestFrame f(1, 1);
    f.Fill(in);
    EXPECT_TRUE(ApplyPointEffect(f.View(), effect, scratch));
    return f.At(0, 0);
}

TEST(PointEffects, ChannelTintsKeepOrDropTheRightChannels) {
    const Bgr in{50, 100, 200};
    EXPECT_EQ(AfterEffect(kEffectRed, in), (Bgr{0, 0, 200}));
    EXPECT_EQ(AfterEffect(kEffectGreen, in), (Bgr{0, 100, 0}));
    EXPECT_EQ(AfterEffect(kEffectBlue, in), (Bgr{50, 0, 0}));
    EXPECT_EQ(AfterEffect(kEffectCyan, in), (Bgr{50, 100, 0}));
    EXPECT_EQ(AfterEffect(kEffectYellow, in), (Bgr{0, 100, 200}));
    EXPECT_EQ(AfterEffect(kEffectMagenta, in), (Bgr{50, 0, 200}));
}

TEST(PointEffects, ArithmeticEffects) {
    EXPECT_EQ(AfterEffect(kEffectNegative, Bgr{0, 1, 255}), (Bgr{255, 254, 0}));
    EXPECT_EQ(AfterEffect(kEffectDarken, Bgr{255, 1, 100}), (Bgr{127, 0, 50}));
    // (30 x 200 + 59 x 100 + 11 x 50) / 100 = 124
    EXPECT_EQ(AfterEffect(kEffectGrey, Bgr{50, 100, 200}), GreyPixel(124));
    EXPECT_EQ(AfterEffect(kEffectPosterize, Bgr{0xFF, 0x3F, 0x1F}), (Bgr{0xE0, 0x20, 0x00}));
}

TEST(PointEffects, ClearTextWorkedExample) {
    // R 200, G 100, B 50: k = 125, dr = 52, db = -42, L = 122;
    // R = 122 + 72 = 194, G = 122 + 14 - 36 = 100, B = 122 - 75 = 47.
    EXPECT_EQ(AfterEffect(kEffectClearText, Bgr{50, 100, 200}), (Bgr{47, 100, 194}));
    // Dark input: L clamps at 0 and the colour terms cannot go negative.
    EXPECT_EQ(AfterEffect(kEffectClearText, Bgr{10, 10, 10}), GreyPixel(0));
}

using FrameStage = void (*)(const RgbFrame&);

// Every red and blue pair, at every `step`-th green from 0: the fast stage
// must give the plain version's bytes.
void ExpectSameOverEveryColour(FrameStage fast, FrameStage plain, int step) {
    for (int green = 0; green < 256; green += step) {
        CTestFrame a(256, 256), b(256, 256);
        a.FillColourPlane(static_cast<uint8_t>(green));
        b.FillColourPlane(static_cast<uint8_t>(green));
        fast(a.View());
        plain(b.View());
        ASSERT_EQ(a.Pixels(), b.Pixels()) << "green " << green;
    }
}

// The fast versions divide by reciprocals in 16-bit lanes and walk square
// roots per row; both must give the plain arithmetic's bytes.
TEST(PointEffects, ClearTextMatchesThePlainArithmetic) {
    ExpectSameOverEveryColour(ClearText, ClearTextReference, 3);  // 255 included
}

TEST(PointEffects, SepiaMatchesThePixelByPixelVersion) {
    const int sizes[][2] = {{1, 1}, {2, 1}, {1, 7}, {5, 3}, {90, 90}, {64, 200}, {641, 481}, {1280, 20}};
    for (const auto& size : sizes) {
        CTestFrame a(size[0], size[1]), b(size[0], size[1]);
        a.FillNoise(11);
        b.FillNoise(11);
        Sepia(a.View());
        SepiaReference(b.View());
        EXPECT_EQ(a.Pixels(), b.Pixels()) << size[0] << " x " << size[1];
    }
}

// Sepia's grey and tone in 16-bit lanes against the plain arithmetic for
// every red and blue pair, at every fifth green.
TEST(PointEffects, SepiaMatchesOverEveryColour) { ExpectSameOverEveryColour(Sepia, SepiaReference, 5); }

// Grey's division by 100 as a multiply, for every red and blue pair at
// every third green, at every vector level the machine offers.
TEST(PointEffects, GreyMatchesOverEveryColour) {
    simd::testing::ForEachOfferedSimdLevel([](simd::SimdLevel) { ExpectSameOverEveryColour(Grey, GreyReference, 3); });
    // The largest sum, 25500 (white), and 25489 (254.89, which must not round up).
    EXPECT_EQ(AfterEffect(kEffectGrey, GreyPixel(255)), GreyPixel(255));
    EXPECT_EQ(AfterEffect(kEffectGrey, Bgr{254, 255, 255}), GreyPixel(254));
}

// Rows are split into runs of 64 pixels and vectors of 8 and 16; widths
// around those sizes and single pixels exercise every remainder.
TEST(PointEffects, PlanarStagesMatchAtEveryRemainder) {
    struct Stage {
        const char* name;
        FrameStage fast, plain;
    };
    const Stage stages[] = {
        {"clear text", ClearText, ClearTextReference}, {"sepia", Sepia, SepiaReference}, {"grey", Grey, GreyReference}};
    for (int w : {1, 2, 7, 8, 15, 16, 17, 63, 64, 65, 79, 641}) {
        for (int h : {1, 3}) {
            uint32_t seed = static_cast<uint32_t>(w * 7 + h);
            for (const Stage& stage : stages) {
                CTestFrame a(w, h);
                a.FillNoise(seed++);
                CTestFrame b = a;
                stage.fast(a.View());
                stage.plain(b.View());
                EXPECT_EQ(a.Pixels(), b.Pixels()) << stage.name << " " << w << "x" << h;
            }
        }
    }
}

TEST(PixelPlanes, SplitAndJoinKeepEveryByteInPlace) {
    for (int n = 0; n <= 70; ++n) {
        std::vector<uint8_t> pixels(3 * static_cast<std::size_t>(n) + 1, 0xA5);
        for (int i = 0; i < 3 * n; ++i) pixels[static_cast<std::size_t>(i)] = static_cast<uint8_t>(i * 37 + n);
        int16_t b[70], g[70], r[70];
        SplitPixels(pixels.data(), b, g, r, n);
        for (int i = 0; i < n; ++i) {
            ASSERT_EQ(b[i], pixels[3 * i]) << n << " " << i;
            ASSERT_EQ(g[i], pixels[3 * i + 1]) << n << " " << i;
            ASSERT_EQ(r[i], pixels[3 * i + 2]) << n << " " << i;
        }
        // Swapped channels come back in swapped places, and the byte after
        // the last pixel is never touched.
        std::vector<uint8_t> joined(pixels.size(), 0xA5);
        JoinPixels(r, g, b, joined.data(), n);
        for (int i = 0; i < n; ++i) {
            ASSERT_EQ(joined[3 * i], pixels[3 * i + 2]) << n << " " << i;
            ASSERT_EQ(joined[3 * i + 1], pixels[3 * i + 1]) << n << " " << i;
            ASSERT_EQ(joined[3 * i + 2], pixels[3 * i]) << n << " " << i;
        }
        EXPECT_EQ(joined.back(), 0xA5) << n;
    }
}

TEST(PointEffects, BlackWhiteThresholdsAtTheMeanGrey) {
    CTestFrame f(3, 1);
    f.SetGreyRows({{10, 200, 100}});  // mean grey 103
    BlackWhite(f.View(), scratch);
    EXPECT_EQ(f.At(0, 0), GreyPixel(0));
    EXPECT_EQ(f.At(1, 0), GreyPixel(255));
    EXPECT_EQ(f.At(2, 0), GreyPixel(0));

    CTestFrame uniform(5, 4);
    uniform.Fill(Bgr{30, 160, 90});
    BlackWhite(uniform.View(), scratch);
    EXPECT_TRUE(uniform.IsUniform(GreyPixel(0)));
}

TEST(PointEffects, SepiaTonesTheCentreAndDarkensTheCorners) {
    // 90 x 90 grey 100: a = 20, span = trunc(sqrt(8100 + 2025)) - 20 = 80.
    CTestFrame f(90, 90);
    f.Fill(GreyPixel(100));
    Sepia(f.View());
    // Centre: d = 100; R = 155 x 49 / 255 + 100 = 129, G = 100 - 5, B = 100 - 21.
    EXPECT_EQ(f.At(45, 45), (Bgr{79, 95, 129}));
    // Corner: dx = dy = 45, distance 63, d = 100 - 43 x 125 / 80 = 33;
    // R = 222 x 49 / 255 + 33 = 75, G = 33 - 1, B = 33 - 7.
    EXPECT_EQ(f.At(0, 0), (Bgr{26, 32, 75}));
    // Opposite corner: dx = dy = 44, distance 62, d = 100 - 42 x 125 / 80 = 35.
    EXPECT_EQ(f.At(89, 89), (Bgr{28, 34, 77}));
    // Within 2w/9 of the centre nothing darkens: (45 + 20, 45) has distance 20.
    EXPECT_EQ(f.At(65, 45), (Bgr{79, 95, 129}));
    EXPECT_LT(f.At(76, 45).r, 129);
}

TEST(PointEffects, IdsWithoutAPointStageAreRefused) {
    CTestFrame f(2, 2);
    f.FillDistinct();
    for (int id : {0, 10, 11, 16, 22, 23, 26, 99}) {
        EXPECT_FALSE(ApplyPointEffect(f.View(), id, scratch)) << id;
    }
}

}  // namespace
}  // namespace vimbrel::effects
