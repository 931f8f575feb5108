#include <gtest/gtest.h>

#include <cmath>

#include "TestFrame.h"
#include "kernels/ColourTables.h"
#include "kernels/WhiteBalance.h"
#include "kernels/WhiteCandidates.h"

namespace vimbrel::effects {
namespace {

// Working memory shared by the stages under test, as the pipeline shares it.
CScratch scratch;

TEST(FixedGamma, TableMatchesTheCurveAtItsKnownPoints) {
    const uint8_t* t = FixedGammaTable();
    EXPECT_EQ(t[0], 0);
    EXPECT_EQ(t[1], 8);
    EXPECT_EQ(t[2], 12);
    EXPECT_EQ(t[3], 15);
    EXPECT_EQ(t[4], 19);
    EXPECT_EQ(t[5], 21);
    EXPECT_EQ(t[128], 165);
    EXPECT_EQ(t[254], 254);
    EXPECT_EQ(t[255], 255);

    CTestFrame f(3, 1);
    f.Set(0, 0, Bgr{1, 128, 255});
    ApplyFixedGamma(f.View());
    EXPECT_EQ(f.At(0, 0), (Bgr{8, 165, 255}));
    EXPECT_EQ(f.At(1, 0), GreyPixel(0));
}

TEST(GammaAdjustment, NeutralSlidersSwitchEverythingOff) {
    ColourAdjustState s;
    SetGammaAdjustment(s, 10, 20, 30, 40, 60);
    SetGammaAdjustment(s, 50, 50, 50, 50, 50);
    EXPECT_FALSE(s.brightnessOn);
    EXPECT_FALSE(s.contrastOn);
    EXPECT_FALSE(s.gammaOn);
}

TEST(GammaAdjustment, GammaAloneGivesPowerTablesPerChannel) {
    ColourAdjustState s;
    SetGammaAdjustment(s, 50, 50, 53, 50, 47);
    EXPECT_FALSE(s.brightnessOn);
    EXPECT_FALSE(s.contrastOn);
    ASSERT_TRUE(s.gammaOn);
    EXPECT_NEAR(s.gammaExponent[kRed], std::pow(10.0, -0.06), 1e-6);
    EXPECT_NEAR(s.gammaExponent[kGreen], 1.0, 1e-6);
    EXPECT_NEAR(s.gammaExponent[kBlue], std::pow(10.0, 0.06), 1e-6);
    // (128/255)^0.871 * 255 = 139.9 and ^1.148 gives 115.6, each + 0.5 truncated.
    EXPECT_EQ(s.gammaTable[kRed][128], 140);
    EXPECT_EQ(s.gammaTable[kGreen][128], 128);
    EXPECT_EQ(s.gammaTable[kBlue][128], 116);
    EXPECT_EQ(s.gammaTable[kRed][255], 255);
    EXPECT_EQ(s.gammaTable[kBlue][0], 0);

    CTestFrame f(1, 1);
    f.Fill(GreyPixel(128));
    ApplyColourAdjust(f.View(), s);
    EXPECT_EQ(f.At(0, 0), (Bgr{116, 128, 140}));
}

TEST(GammaAdjustment, ExtremeSlidersClampTheExponent) {
    ColourAdjustState s;
    SetGammaAdjustment(s, 50, 50, 0, 100, -2147483647 - 1);
    EXPECT_FLOAT_EQ(s.gammaExponent[kRed], 9.9f);
    EXPECT_FLOAT_EQ(s.gammaExponent[kGreen], 0.1f);
    EXPECT_FLOAT_EQ(s.gammaExponent[kBlue], 9.9f);
}

TEST(GammaAdjustment, BrightnessMovesLumaThroughTheYuvRoundTrip) {
    ColourAdjustState s;
    CTestFrame f(1, 1);

    SetGammaAdjustment(s, 100, 50, 50, 50, 50);
    EXPECT_EQ(s.brightnessOffset, 128);
    f.Fill(GreyPixel(128));
    ApplyColourAdjust(f.View(), s);
    EXPECT_EQ(f.At(0, 0), GreyPixel(255));

    SetGammaAdjustment(s, 0, 50, 50, 50, 50);
    EXPECT_EQ(s.brightnessOffset, -128);
    f.Fill(GreyPixel(128));
    ApplyColourAdjust(f.View(), s);
    EXPECT_EQ(f.At(0, 0), GreyPixel(0));

    // 75 gives +64: luma of grey 100 is 86 + 16 + 64 = 166, and back
    // (298 x 166 + 409 x 128 - 56992) >> 8 = 175 on every channel.
    SetGammaAdjustment(s, 75, 50, 50, 50, 50);
    EXPECT_EQ(s.brightnessOffset, 64);
    f.Fill(GreyPixel(100));
    ApplyColourAdjust(f.View(), s);
    EXPECT_EQ(f.At(0, 0), GreyPixel(175));
}

TEST(GammaAdjustment, ContrastTablesAtTheEndsAndInBetween) {
    ColourAdjustState s;
    SetGammaAdjustment(s, 50, 0, 50, 50, 50);
    EXPECT_EQ(s.contrastValue, -128);
    for (int i = 0; i < 255; ++i) ASSERT_EQ(s.contrastTable[i], 128) << i;
    EXPECT_EQ(s.contrastTable[255], 127);

    SetGammaAdjustment(s, 50, 100, 50, 50, 50);
    EXPECT_EQ(s.contrastValue, 127);
    for (int i = 0; i <= 127; ++i) ASSERT_EQ(s.contrastTable[i], 0) << i;
    for (int i = 128; i <= 255; ++i) ASSERT_EQ(s.contrastTable[i], 255) << i;

    // 75: a = 191 - 128 = 63; 64..191 stretched: (128 - 63) / (129 / 255) = 128.5.
    SetGammaAdjustment(s, 50, 75, 50, 50, 50);
    EXPECT_EQ(s.contrastValue, 63);
    EXPECT_EQ(s.contrastTable[63], 0);
    EXPECT_EQ(s.contrastTable[100], 73);
    EXPECT_EQ(s.contrastTable[128], 128);
    EXPECT_EQ(s.contrastTable[192], 255);

    // 25: a = 63 - 128 = -65; entry i = trunc(i / 2.04) + 65.
    SetGammaAdjustment(s, 50, 25, 50, 50, 50);
    EXPECT_EQ(s.contrastValue, -65);
    EXPECT_EQ(s.contrastTable[0], 65);
    EXPECT_EQ(s.contrastTable[100], 114);
    EXPECT_EQ(s.contrastTable[255], 190);
}

TEST(GammaAdjustment, FusedStageMatchesStepByStep) {
    const int settings[][5] = {{80, 30, 40, 55, 70}, {20, 90, 50, 50, 50}, {50, 65, 10, 90, 50}, {0, 0, 0, 0, 0}};
    for (const auto& v : settings) {
        ColourAdjustState s;
        SetGammaAdjustment(s, v[0], v[1], v[2], v[3], v[4]);
        // Widths around the vector (8, 16) and run (64) sizes, single pixels.
        for (int w : {1, 7, 17, 37, 65, 641}) {
            CTestFrame a(w, 5), b(w, 5);
            a.FillNoise(7);
            b.FillNoise(7);
            ApplyColourAdjust(a.View(), s);
            ApplyColourAdjustReference(b.View(), s);
            EXPECT_EQ(a.Pixels(), b.Pixels()) << v[0] << "," << v[1] << "," << v[2] << " width " << w;
        }
    }
}

// The vectorised round trip regroups the products to fit 16-bit lanes;
// every red and blue pair is checked, with every seventh green at the
// extreme offsets (where the clamps bite hardest) and fewer elsewhere.
TEST(GammaAdjustment, BrightnessMatchesTheRoundTrip) {
    const int settings[][5] = {{0, 50, 50, 50, 50},  {100, 50, 50, 50, 50}, {0, 30, 40, 55, 70},
                               {37, 50, 50, 50, 50}, {63, 90, 50, 50, 50},  {99, 50, 20, 20, 20}};
    int checked = 0;
    for (const auto& v : settings) {
        ColourAdjustState s;
        SetGammaAdjustment(s, v[0], v[1], v[2], v[3], v[4]);
        const int step = (v[0] == 0 || v[0] == 100) ? 7 : 29;
        for (int green = 0; green < 256; green += step) {
            CTestFrame a(256, 256), b(256, 256);
            a.FillColourPlane(static_cast<uint8_t>(green));
            b.FillColourPlane(static_cast<uint8_t>(green));
            ApplyColourAdjust(a.View(), s);
            ApplyColourAdjustReference(b.View(), s);
            ASSERT_EQ(a.Pixels(), b.Pixels()) << "brightness " << v[0] << ", green " << green;
            ++checked;
        }
    }
    EXPECT_EQ(checked, 3 * 37 + 3 * 9);
}

TEST(GammaAdjustment, TablesFollowEverySettingsChange) {
    // Contrast 100 then neutral again: the composed tables must not keep the
    // earlier stretch. 100 turns 100 into 0; neutral leaves it.
    ColourAdjustState s;
    SetGammaAdjustment(s, 50, 100, 50, 50, 50);
    CTestFrame f(1, 1);
    f.Fill(GreyPixel(100));
    ApplyColourAdjust(f.View(), s);
    EXPECT_EQ(f.At(0, 0), GreyPixel(0));
    SetGammaAdjustment(s, 50, 50, 53, 50, 50);
    f.Fill(GreyPixel(128));
    ApplyColourAdjust(f.View(), s);
    // Red exponent 10^-0.06 = 0.871: trunc(0.50196^0.871 x 255 + 0.5) = 140.
    EXPECT_EQ(f.At(0, 0), (Bgr{128, 128, 140}));
}

TEST(WhiteBalance, SrgbTableIsRoundedToFiveDecimals) {
    const double* t = SrgbLinearTable();
    EXPECT_DOUBLE_EQ(t[0], 0.0);
    EXPECT_DOUBLE_EQ(t[1], 0.0003);
    EXPECT_DOUBLE_EQ(t[100], 0.12744);
    EXPECT_DOUBLE_EQ(t[255], 1.0);
}

TEST(WhiteBalance, GreyFrameKeepsItsValues) {
    for (int mode : {0, 1}) {
        WhiteBalanceState s;
        s.on = 1;
        s.mode = mode;
        CTestFrame f(8, 6);
        f.Fill(GreyPixel(90));
        f.Set(3, 3, GreyPixel(200));
        const auto before = f.Pixels();
        RunWhiteBalance(f.View(), s, scratch);
        EXPECT_EQ(f.Pixels(), before) << "mode " << mode;
        for (int c = 0; c < 3; ++c) EXPECT_NEAR(s.gain[c], 1.0f, 1e-4f);
    }
}

TEST(WhiteBalance, StrongCastBothWaysBendsTheExtremeChannels) {
    // Means R 200, G 100, B 100: luma 129.9; gains 0.6495 (low) and 1.299
    // (high, twice). Red exponent 10^(0.3505 x 0.4) = 1.381 maps 200 to 182;
    // green and blue 10^(-0.299 x 0.4) = 0.759 map 100 to 125.
    for (int mode : {0, 1}) {
        WhiteBalanceState s;
        s.mode = mode;
        CTestFrame f(4, 4);
        f.Fill(Bgr{100, 100, 200});
        RunWhiteBalance(f.View(), s, scratch);
        EXPECT_NEAR(s.gain[kRed], 0.6495f, 1e-5f);
        EXPECT_NEAR(s.gain[kGreen], 1.299f, 1e-5f);
        EXPECT_EQ(f.At(2, 1), (Bgr{125, 125, 182})) << "mode " << mode;
    }
}

TEST(WhiteBalance, MildCastScalesByClampedGains) {
    // Means R 120, G 100, B 100: luma 105.98; gains 0.8832, 1.0598, 1.0598:
    // no high and no low gain, so linear tables: 120 x 0.8832 + 0.5 -> 106,
    // 100 x 1.0598 + 0.5 -> 106.
    WhiteBalanceState s;
    CTestFrame f(2, 2);
    f.Fill(Bgr{100, 100, 120});
    RunWhiteBalance(f.View(), s, scratch);
    EXPECT_EQ(f.At(0, 0), (Bgr{106, 106, 106}));
}

TEST(WhiteBalance, AllPixelMeansOverAWideFrame) {
    // 21 columns (16 at a time, then 5 one by one): red 10 k, green 50,
    // blue 200 - k, so the means are 100, 50 and 190; luma 80.91 gives gains
    // 0.8091, 1.6182 and 0.42584.
    WhiteBalanceState s;
    CTestFrame f(21, 2);
    for (int r = 0; r < 2; ++r)
        for (int k = 0; k < 21; ++k) f.Set(k, r, Bgr{static_cast<uint8_t>(200 - k), 50, static_cast<uint8_t>(10 * k)});
    ASSERT_TRUE(AnalyseWhiteBalance(f.View(), s, scratch));
    EXPECT_NEAR(s.gain[kRed], 0.8091f, 1e-5f);
    EXPECT_NEAR(s.gain[kGreen], 1.6182f, 1e-5f);
    EXPECT_NEAR(s.gain[kBlue], 0.42584f, 1e-5f);
}

TEST(WhiteBalance, CandidatesLeaveOutAHighlight) {
    // One black pixel, eight (b 90, g 90, r 120) and one white. Y runs 0..1,
    // so the threshold is 0.05 and the nine brighter pixels are candidates;
    // their mean Y 0.218 puts the white (Y 1) beyond three times it, and the
    // second round, over the eight (X 0.132, Y 0.120, Z 0.113), drops none.
    // Candidate means R 120, G = B 90: luma 98.97, gains 0.8248 and 1.0997,
    // so 120 and 90 both map to 99. Every pixel (mode 0) means R 121.5,
    // G = B 97.5: luma 104.676, gains 0.8615 and 1.0736: 120 -> 103, 90 -> 97.
    const std::pair<int, Bgr> expected[] = {{1, GreyPixel(99)}, {0, Bgr{97, 97, 103}}};
    for (const auto& [mode, colour] : expected) {
        WhiteBalanceState s;
        s.mode = mode;
        CTestFrame f(5, 2);
        f.Fill(Bgr{90, 90, 120});
        f.Set(0, 0, GreyPixel(0));
        f.Set(4, 1, GreyPixel(255));
        RunWhiteBalance(f.View(), s, scratch);
        EXPECT_EQ(f.At(1, 0), colour) << "mode " << mode;
    }
}

// The exact means rest on every X, Y and Z being a whole number of 2^-41
// units: the smallest (one channel at 1, weight times 0.0003) is at least
// 2^-18, so its float has no bits below 2^-41. Worked from the formulas,
// not from the stage's tables.
TEST(WhiteCandidates, EveryXyzValueIsAWholeNumberOfUnits) {
    const double* lin = SrgbLinearTable();
    const double weights[3][3] = {{0.4124, 0.3576, 0.1805}, {0.2126, 0.7152, 0.0722}, {0.0193, 0.1192, 0.9505}};
    const int pixels[][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 1}, {3, 200, 17}, {255, 255, 255}};
    for (const auto& w : weights) {
        for (const auto& rgb : pixels) {
            const float v = static_cast<float>(w[0] * lin[rgb[0]] + w[1] * lin[rgb[1]] + w[2] * lin[rgb[2]]);
            EXPECT_GE(v, std::ldexp(1.0f, -18));
            EXPECT_LT(v, 2.0f);
            EXPECT_EQ(std::ldexp(static_cast<double>(XyzUnits(v)), -41), static_cast<double>(v));
        }
    }
    EXPECT_EQ(XyzUnits(0.0), 0u);
    EXPECT_EQ(XyzUnits(1.0), uint64_t{1} << 41);
    EXPECT_EQ(XyzUnits(0.75), uint64_t{3} << 39);
    EXPECT_EQ(XyzUnits(std::ldexp(1.0, -18)), uint64_t{1} << 23);
    EXPECT_EQ(XyzUnits(1000.0 + std::ldexp(1.0, -41)), (uint64_t{1000} << 41) + 1);  // a run's sum
}

TEST(WhiteCandidates, ExactSumCarriesIntoItsHighWord) {
    CExactSum sum;
    sum.Add(uint64_t{1} << 63);
    sum.Add(uint64_t{1} << 63);  // 2^64
    const uint64_t count = uint64_t{1} << 22;
    EXPECT_EQ(sum.ThreeTimesMeanRoundedUp(count), uint64_t{3} << 42);
    sum.Add(1);  // 3 (2^64 + 1) / 2^22 = 3 x 2^42 + a fraction: rounds up
    EXPECT_EQ(sum.ThreeTimesMeanRoundedUp(count), (uint64_t{3} << 42) + 1);
    sum.Subtract(2);  // 2^64 - 1, borrowing from the high word
    EXPECT_EQ(sum.ThreeTimesMeanRoundedUp(count), uint64_t{3} << 42);
}

TEST(WhiteCandidates, DropLimitIsTheSmallestFloatAtThreeTimesTheMean) {
    CExactSum half;
    half.Add(XyzUnits(0.5));
    EXPECT_EQ(DropLimit(half, 1), 1.5f);  // exact: no rounding
    CExactSum none;
    EXPECT_EQ(DropLimit(none, 5), 0.0f);
    // One value 1.0 among seven: 3 x mean = 3/7. The floats around it are
    // 14380470 and 14380471 times 2^-25 (0.42857140 and 0.42857143); the
    // lower is below 3/7, so the limit is the upper.
    CExactSum one;
    one.Add(XyzUnits(1.0));
    const float limit = DropLimit(one, 7);
    EXPECT_EQ(limit, std::ldexp(14380471.0f, -25));
    EXPECT_LT(static_cast<double>(std::ldexp(14380470.0f, -25)), 3.0 / 7.0);
}

// Pictures for comparing the candidate search with the plain walk.
void PaintCandidatePicture(CTestFrame& f, int picture) {
    const int w = f.Width(), h = f.Height();
    for (int r = 0; r < h; ++r)
        for (int k = 0; k < w; ++k) {
            const int v = (k + r) % 160;
            switch (picture) {
            case 0:  // a warm gradient with scattered light sources: several rounds
                f.Set(k, r,
                      (k * 31 + r * 17) % 97 == 0
                          ? GreyPixel(255)
                          : Bgr{static_cast<uint8_t>(v / 2), static_cast<uint8_t>(v), static_cast<uint8_t>(v + 40)});
                break;
            case 1:  // mostly black: most pixels fall below the threshold
                f.Set(k, r, (k * 7 + r * 3) % 11 == 0 ? Bgr{200, 180, static_cast<uint8_t>(v)} : Bgr{0, 1, 2});
                break;
            default:  // dark saturated reds and blues: the smallest Z and Y values
                f.Set(k, r,
                      (k + r) % 2 ? Bgr{0, 0, static_cast<uint8_t>(1 + v % 60)}
                                  : Bgr{static_cast<uint8_t>(v + 90), 0, 0});
                break;
            }
        }
}

// The candidate search must keep exactly the pixels the plain walk keeps
// (same count and colour means), at odd sizes, across the four-pixel
// groups, the 1024-pixel exact runs and rows packed to the buffer's end.
TEST(WhiteCandidates, SearchMatchesThePlainWalk) {
    struct Size {
        int w, h;
        bool packed;
    };
    const Size sizes[] = {{1, 1, true},    {3, 1, true},      {5, 3, true},     {7, 3, false},
                          {1030, 3, true}, {641, 481, false}, {256, 256, false}};
    for (const Size& size : sizes) {
        for (int picture = 0; picture < 5; ++picture) {
            CTestFrame f(size.w, size.h, size.packed);
            if (picture == 3) {
                f.FillNoise(5);
            } else if (picture == 4) {
                f.FillDistinct();
            } else {
                PaintCandidatePicture(f, picture);
            }
            const ChannelMeans fast = MeanOfWhiteCandidates(f.View(), scratch);
            const ChannelMeans plain = MeanOfWhiteCandidatesPlain(f.View(), scratch);
            EXPECT_EQ(fast.count, plain.count) << size.w << "x" << size.h << " picture " << picture;
            for (int c = 0; c < 3; ++c) {
                EXPECT_EQ(fast.mean[c], plain.mean[c]) << size.w << "x" << size.h << " picture " << picture;
            }
            WhiteBalanceState a, b;
            a.mode = b.mode = 1;
            EXPECT_EQ(AnalyseWhiteBalance(f.View(), a, scratch), AnalyseWhiteBalanceReference(f.View(), b, scratch));
            for (int c = 0; c < 3; ++c) {
                EXPECT_EQ(a.gain[c], b.gain[c]) << size.w << "x" << size.h << " picture " << picture;
                EXPECT_EQ(0, std::memcmp(a.table[c], b.table[c], 256));
            }
        }
    }
}

// With exact means the candidates cannot depend on where the pixels are:
// the same pixels with the rows in reverse order give the same result.
TEST(WhiteCandidates, PixelOrderDoesNotMatter) {
    CTestFrame f(97, 61), flipped(97, 61);
    PaintCandidatePicture(f, 0);
    for (int r = 0; r < 61; ++r)
        for (int k = 0; k < 97; ++k) flipped.Set(k, 60 - r, f.At(k, r));
    const ChannelMeans a = MeanOfWhiteCandidates(f.View(), scratch);
    const ChannelMeans b = MeanOfWhiteCandidates(flipped.View(), scratch);
    EXPECT_EQ(a.count, b.count);
    for (int c = 0; c < 3; ++c) EXPECT_EQ(a.mean[c], b.mean[c]);
    EXPECT_LT(a.count, 97u * 61u);  // the light sources were dropped
}

TEST(WhiteBalance, BlackFrameKeepsThePreviousTables) {
    WhiteBalanceState s;
    s.mode = 1;
    CTestFrame cast(2, 2);
    cast.Fill(Bgr{100, 100, 120});
    RunWhiteBalance(cast.View(), s, scratch);
    uint8_t redBefore[256];
    std::memcpy(redBefore, s.table[kRed], 256);

    CTestFrame black(5, 3);
    EXPECT_FALSE(AnalyseWhiteBalance(black.View(), s, scratch));
    EXPECT_EQ(0, std::memcmp(redBefore, s.table[kRed], 256));
    RunWhiteBalance(black.View(), s, scratch);
    EXPECT_EQ(black.At(0, 0), GreyPixel(0));
}

TEST(WhiteBalance, AnalysesOnlyEveryPeriodFrames) {
    WhiteBalanceState s;
    s.period = 3;
    CTestFrame grey(2, 2), cast(2, 2);
    grey.Fill(GreyPixel(100));
    RunWhiteBalance(grey.View(), s, scratch);  // frame 0 analyses: identity
    for (int frame = 1; frame <= 2; ++frame) {
        cast.Fill(Bgr{100, 100, 120});
        RunWhiteBalance(cast.View(), s, scratch);
        EXPECT_EQ(cast.At(0, 0), (Bgr{100, 100, 120})) << frame;
    }
    cast.Fill(Bgr{100, 100, 120});
    RunWhiteBalance(cast.View(), s, scratch);  // frame 3 analyses again
    EXPECT_EQ(cast.At(0, 0), (Bgr{106, 106, 106}));

    for (int period : {0, 1}) {
        WhiteBalanceState every;
        every.period = period;
        for (int frame = 0; frame < 3; ++frame) {
            RunWhiteBalance(grey.View(), every, scratch);
            EXPECT_EQ(every.frameCounter, 0) << "period " << period;
        }
    }
}

}  // namespace
}  // namespace vimbrel::effects
