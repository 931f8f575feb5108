#include <gtest/gtest.h>

#include <climits>
#include <new>
#include <string>
#include <vector>

#include "TestFrame.h"
#include "kernels/EffectPipeline.h"
#include "kernels/OverlayLayout.h"

namespace vimbrel::effects {
namespace {


class CSequenceRandom final : public IRandomSource {
public:
    int Next() override { return next_++ * 7919 % 32768; }

private:
    int next_ = 0;
};

// Records what the pipeline asks of the Windows side.
class CRecordingHost final : public IEffectHost {
public:
    void FrameSizeChanged() override { ++sizeChanges; }
    TimeOfDay Now() override { return clock; }
    void ShowFrameRateText(const char16_t* text) override { rateTexts.emplace_back(text); }
    void StretchZoom(const RgbFrame&, const ZoomCrop& crop) override {
        ++stretches;
        lastCrop = crop;
    }
    void Compose(const RgbFrame&) override { ++compositions; }
    ITileRunner& Tiles() override { return tiles; }
    IRandomSource& Random() override { return random; }
    CScratch& Scratch() override {
        if (++scratchCalls == failingScratchCall) throw std::bad_alloc();
        return scratch;
    }

    int sizeChanges = 0;
    int scratchCalls = 0;
    int failingScratchCall = 0;  // this call finds no memory; 0: none
    int stretches = 0;
    int compositions = 0;
    ZoomCrop lastCrop;
    TimeOfDay clock;
    std::vector<std::u16string> rateTexts;
    CSerialTileRunner tiles;
    CSequenceRandom random;
    CScratch scratch;
};

TEST(EffectSettings, FreshRecordValues) {
    CEffectSettings s;
    EXPECT_EQ(s.controlId, 1024);  // effect None
    EXPECT_EQ(s.zoom.method, 3);
    EXPECT_EQ(s.sizeClass, 2);  // 640 x 480 assumed until the first frame
    // Never drawn before SetEffect, but reachable through a loaded stream.
    for (int o : s.jitter) ASSERT_EQ(o, 0);
    EXPECT_EQ(s.kaleidoscope.vx, 0.0f);
}

TEST(EffectSettings, SetEffectStoresIdsAndParameters) {
    CEffectSettings s;
    CSequenceRandom random;
    const std::pair<int, int> cases[] = {{23, 0}, {22, 3}, {24, 0}, {99, -5}, {INT_MAX, 1}, {INT_MIN, 2}};
    for (auto [id, p] : cases) {
        s.SetEffect(id, p, random);
        int gotId = 0, gotParam = 0;
        s.GetEffect(gotId, gotParam);
        EXPECT_EQ(gotId, id);
        EXPECT_EQ(gotParam, p);
    }
}

TEST(EffectSettings, JitterIsRedrawnOnEveryCall) {
    CEffectSettings s;
    CSequenceRandom random;
    s.SetEffect(19, 0, random);
    const auto first = s.jitter;
    s.SetEffect(19, 0, random);
    EXPECT_NE(first, s.jitter);
    bool sawMinus4 = false, sawPlus4 = false;
    for (int o : s.jitter) {
        ASSERT_GE(o, -4);
        ASSERT_LE(o, 4);
        sawMinus4 |= o == -4;
        sawPlus4 |= o == 4;
    }
    EXPECT_TRUE(sawMinus4 && sawPlus4);
}

TEST(EffectSettings, KaleidoscopeSpeedsScaleWithTheFrameClass) {
    class CFive final : public IRandomSource {
        int Next() override { return 5; }
    } five;
    CEffectSettings s;
    s.kaleidoscope = {4.0f, 7.0f, -1.0f, -1.0f};
    s.SetEffect(20, 1, five);
    EXPECT_EQ(s.kaleidoscope.x, 0.0f);
    EXPECT_EQ(s.kaleidoscope.y, 0.0f);
    EXPECT_FLOAT_EQ(s.kaleidoscope.vx, 13.0f / 10.0f);  // class 2 divides by 10
    s.UpdateFrameSize(176, 144);
    s.SetEffect(20, 1, five);
    EXPECT_FLOAT_EQ(s.kaleidoscope.vy, 13.0f / 40.0f);
}

TEST(EffectSettings, FeatureStateAndSwitches) {
    CEffectSettings s;
    s.SetAutoWhiteBalance(1, 2, 15);
    s.despeckleOn = 1;
    s.ShowFps(1);
    EXPECT_EQ(s.FeatureState(0), 1);
    EXPECT_EQ(s.FeatureState(1), 1);
    EXPECT_EQ(s.FeatureState(2), 1);
    for (int i : {3, 4, 5, 6, 7, 8, 9, 10, 11, -1, INT_MAX}) EXPECT_EQ(s.FeatureState(i), 0) << i;
    EXPECT_EQ(s.textOn, 1);  // on even with no text set
    s.ShowFps(0);
    EXPECT_EQ(s.textOn, 0);
    EXPECT_EQ(s.FeatureState(2), 0);
}

TEST(EffectSettings, SavedTextIsCutAndLongPathsAreRefused) {
    CEffectSettings s;
    std::u16string longText(400, u'x');
    s.SaveOverlayText(longText.c_str());
    EXPECT_EQ(std::u16string(s.savedText), std::u16string(259, u'x'));
    s.SaveOverlayText(nullptr);
    EXPECT_EQ(s.savedText[0], u'\0');

    EXPECT_TRUE(s.SaveFramePath(u"C:\\frames\\frame1.png"));
    const std::u16string tooLong(260, u'p');
    EXPECT_FALSE(s.SaveFramePath(tooLong.c_str()));
    EXPECT_EQ(std::u16string(s.savedPath), u"C:\\frames\\frame1.png");
    EXPECT_TRUE(s.SaveFramePath(std::u16string(259, u'q').c_str()));
    EXPECT_FALSE(s.SaveFramePath(nullptr));
}

TEST(FrameSize, ClassesByWidthAndHeight) {
    EXPECT_EQ(FrameSizeClass(176, 144), 0);
    EXPECT_EQ(FrameSizeClass(200, 150), 0);
    EXPECT_EQ(FrameSizeClass(201, 150), 1);
    EXPECT_EQ(FrameSizeClass(320, 240), 1);
    EXPECT_EQ(FrameSizeClass(400, 301), 2);
    EXPECT_EQ(FrameSizeClass(640, 480), 2);
    EXPECT_EQ(FrameSizeClass(800, 600), 2);
    EXPECT_EQ(FrameSizeClass(801, 10), 3);
    EXPECT_EQ(FrameSizeClass(1280, 720), 3);
}

TEST(FrameView, LayoutFromHeaderAndBufferLength) {
    std::vector<uint8_t> buffer(64);
    RgbFrame f;
    ASSERT_TRUE(MakeFrameView(buffer.data(), 24, 3, 2, f));  // aligned rows of 12
    EXPECT_EQ(f.stride, 12);
    ASSERT_TRUE(MakeFrameView(buffer.data(), 18, 3, 2, f));  // packed rows of 9
    EXPECT_EQ(f.stride, 9);
    EXPECT_FALSE(MakeFrameView(buffer.data(), 17, 3, 2, f));
    EXPECT_TRUE(f.Empty());

    ASSERT_TRUE(MakeFrameView(buffer.data(), 24, 3, -2, f));  // top-down
    EXPECT_EQ(f.height, 2);
    EXPECT_EQ(f.Row(0), buffer.data() + 12);
    EXPECT_EQ(f.Row(1), buffer.data());

    EXPECT_FALSE(MakeFrameView(buffer.data(), 64, 0, 2, f));
    EXPECT_FALSE(MakeFrameView(buffer.data(), 64, -4, 2, f));
    EXPECT_FALSE(MakeFrameView(buffer.data(), 64, 4, 0, f));
    EXPECT_FALSE(MakeFrameView(buffer.data(), 64, 4, INT_MIN, f));
    EXPECT_FALSE(MakeFrameView(buffer.data(), 64, INT_MAX, INT_MAX, f));
    EXPECT_FALSE(MakeFrameView(nullptr, 64, 1, 1, f));
}

TEST(FrameRate, TenSilentFramesThenTheRate) {
    CFrameRateMeter meter;
    double fps = 0;
    TimeOfDay t{10, 0, 0, 0};
    for (int i = 0; i < 10; ++i) {
        EXPECT_FALSE(meter.Step(t, fps)) << i;
        t.millisecond += 40;
    }
    ASSERT_TRUE(meter.Step(t, fps));  // 400 ms after frame 0
    EXPECT_DOUBLE_EQ(fps, 25.0);
    char16_t text[16];
    FormatFrameRate(fps, text, 16);
    EXPECT_EQ(std::u16string(text), u"25.00");

    // The ring keeps turning: 20 more frames at 50 ms give 20 per second.
    for (int i = 0; i < 20; ++i) {
        t.millisecond += 50;
        meter.Step(t, fps);
    }
    EXPECT_DOUBLE_EQ(fps, 20.0);
    EXPECT_GE(meter.Index(), 10);
    EXPECT_LT(meter.Index(), 20);

    meter.Reset();
    EXPECT_FALSE(meter.Step(t, fps));
}

TEST(FrameRate, ElapsedAcrossTheHourAndMidnight) {
    EXPECT_EQ(ElapsedMilliseconds({10, 59, 59, 900}, {11, 0, 0, 300}), 400);
    EXPECT_EQ(ElapsedMilliseconds({23, 59, 59, 900}, {0, 0, 0, 300}), 400);

    CFrameRateMeter meter;
    double fps = -1;
    const TimeOfDay same{8, 0, 0, 0};
    for (int i = 0; i < 10; ++i) meter.Step(same, fps);
    EXPECT_FALSE(meter.Step(same, fps));  // no time passed: keep the old text
    EXPECT_EQ(fps, -1);

    char16_t tiny[3];
    FormatFrameRate(123.456, tiny, 3);
    EXPECT_EQ(std::u16string(tiny), u"12");
}

TEST(OverlayLayout, FontSizesAndStampAlignment) {
    EXPECT_EQ(TextFontPixels(0, 0), 11);
    EXPECT_EQ(TextFontPixels(0, 2), 16);
    EXPECT_EQ(TextFontPixels(2, 1), 26);
    EXPECT_EQ(TextFontPixels(1, 0), 15);

    const StampAlignment centre = StampAlignmentOf(4);
    EXPECT_EQ(centre.horizontal, TextAlign::Centre);
    EXPECT_EQ(centre.vertical, TextAlign::Centre);
    const StampAlignment corner = StampAlignmentOf(8);
    EXPECT_EQ(corner.horizontal, TextAlign::Far);
    EXPECT_EQ(corner.vertical, TextAlign::Far);
    const StampAlignment first = StampAlignmentOf(0);
    EXPECT_EQ(first.horizontal, TextAlign::Near);
    EXPECT_EQ(first.vertical, TextAlign::Near);
    EXPECT_EQ(StampAlignmentOf(9).vertical, TextAlign::Centre);
    EXPECT_EQ(StampAlignmentOf(-1).horizontal, TextAlign::Near);
}

TEST(Pipeline, FreshSettingsPassFramesThroughUnchanged) {
    CEffectSettings s;
    CRecordingHost host;
    CTestFrame f(640, 480);
    f.FillNoise(8);
    const auto before = f.Pixels();
    RunEffectPipeline(s, f.View(), host);
    EXPECT_EQ(f.Pixels(), before);
    EXPECT_EQ(host.sizeChanges, 0);
    EXPECT_EQ(host.compositions, 0);
    EXPECT_EQ(host.stretches, 0);
}

TEST(Pipeline, SizeChangeIsSeenOnce) {
    CEffectSettings s;
    CRecordingHost host;
    CSequenceRandom random;
    s.SetEffect(20, 0, random);
    s.kaleidoscope.x = 50.0f;
    CTestFrame f(176, 144);
    RunEffectPipeline(s, f.View(), host);
    EXPECT_EQ(host.sizeChanges, 1);
    EXPECT_EQ(s.sizeClass, 0);
    EXPECT_LT(s.kaleidoscope.x, 1.0f);  // restarted at the corner for this size
    RunEffectPipeline(s, f.View(), host);
    EXPECT_EQ(host.sizeChanges, 1);
}

TEST(Pipeline, FlipWithoutZoomWhenZoomIsOff) {
    CEffectSettings s;
    CRecordingHost host;
    s.SetZoom(0, 1, 2.0f, 1, 0);
    CTestFrame f(640, 480);
    f.FillDistinct();
    const CTestFrame src = f;
    RunEffectPipeline(s, f.View(), host);
    EXPECT_EQ(f.At(5, 0), src.At(5, 479));
    EXPECT_EQ(f.At(300, 200), src.At(300, 279));
}

TEST(Pipeline, StretchZoomGoesToTheHostAfterTheFlip) {
    CEffectSettings s;
    CRecordingHost host;
    s.SetZoom(1, 3, 2.0f, 0, 1);
    CTestFrame f(640, 480);
    f.FillDistinct();
    const CTestFrame src = f;
    RunEffectPipeline(s, f.View(), host);
    EXPECT_EQ(host.stretches, 1);
    EXPECT_EQ(host.lastCrop.x0, 160);
    EXPECT_EQ(host.lastCrop.width, 320);
    EXPECT_EQ(f.At(0, 0), src.At(639, 0));

    s.SetZoom(1, 3, 1.0f, 0, 0);
    RunEffectPipeline(s, f.View(), host);
    EXPECT_EQ(host.stretches, 1);  // a factor of 1 stretches nothing
    s.SetZoom(1, 7, 2.0f, 0, 0);
    const auto before = f.Pixels();
    RunEffectPipeline(s, f.View(), host);
    EXPECT_EQ(f.Pixels(), before);  // unknown method: nothing
}

TEST(Pipeline, StagesRunInTheirFixedOrder) {
    // Gamma correction (1 -> 8) before the negative (8 -> 247); the other way
    // round would give 254 -> 254.
    CEffectSettings s;
    CRecordingHost host;
    CSequenceRandom random;
    s.gammaCorrectOn = 1;
    s.SetEffect(7, 0, random);
    CTestFrame f(2, 2);
    f.Fill(GreyPixel(1));
    RunEffectPipeline(s, f.View(), host);
    EXPECT_EQ(f.At(1, 1), GreyPixel(247));

    // Brightness before contrast: grey 128 at brightness 100 turns white, and
    // contrast 0 then flattens it to 127.
    CEffectSettings t;
    SetGammaAdjustment(t.colour, 100, 0, 50, 50, 50);
    f.Fill(GreyPixel(128));
    RunEffectPipeline(t, f.View(), host);
    EXPECT_EQ(f.At(0, 0), GreyPixel(127));
}

TEST(Pipeline, CompositionWhenTextOrPhotoFrameIsShown) {
    CEffectSettings s;
    CRecordingHost host;
    CSequenceRandom random;
    CTestFrame f(640, 480);
    s.textOn = 1;
    RunEffectPipeline(s, f.View(), host);
    EXPECT_EQ(host.compositions, 1);
    s.textOn = 0;
    s.SetEffect(22, 1, random);
    RunEffectPipeline(s, f.View(), host);
    EXPECT_EQ(host.compositions, 2);
    s.SetEffect(23, 0, random);
    RunEffectPipeline(s, f.View(), host);
    EXPECT_EQ(host.compositions, 2);
    s.featureFlags[4] = 1;
    RunEffectPipeline(s, f.View(), host);
    EXPECT_EQ(host.compositions, 3);
}

// Before a zoom of ours the white balance maps only the part the zoom reads;
// the frame must come out as if it had mapped all of it.
TEST(Pipeline, WhiteBalanceBeforeAZoomGivesTheWholeFrameResult) {
    using Zoom = void (*)(const RgbFrame&, float, bool, bool, CScratch&);
    const Zoom zooms[] = {&ZoomNearest, &ZoomBilinear, &ZoomBicubic};
    for (int method = 0; method < 3; ++method) {
        for (float factor : {1.0f, 1.5f, 2.0f, 3.7f}) {
            for (int flips = 0; flips < 4; ++flips) {
                CEffectSettings s;
                s.SetAutoWhiteBalance(1, 0, 1);  // analyses every frame
                s.SetZoom(1, method, factor, flips & 1, flips & 2);
                CEffectSettings manual = s;
                CRecordingHost host;
                CTestFrame f(97, 61);
                f.FillNoise(static_cast<uint32_t>(method * 40 + flips));
                CTestFrame expected = f;
                RunEffectPipeline(s, f.View(), host);
                manual.UpdateFrameSize(97, 61);
                RunWhiteBalance(expected.View(), manual.whiteBalance, host.scratch);
                zooms[method](expected.View(), factor, flips & 1, flips & 2, host.scratch);
                ASSERT_EQ(f.Pixels(), expected.Pixels())
                    << "method " << method << " at " << factor << " flips " << flips;
            }
        }
    }
}

// The zoom finds no memory after the white balance mapped only its part: the
// rest is mapped then. Means R 200, G 100, B 100 map to 182, 125, 125 (see
// the white balance tests), and the zoomed uniform frame stays uniform.
TEST(Pipeline, ZoomFailingAfterThePartialWhiteBalanceLeavesTheWholeFrameBalanced) {
    CEffectSettings s;
    s.SetAutoWhiteBalance(1, 0, 1);
    s.SetZoom(1, 1, 2.0f, false, false);
    CRecordingHost host;
    host.failingScratchCall = 2;  // the white balance asks first, the zoom second
    CTestFrame f(40, 30), expected(40, 30);
    f.Fill(Bgr{100, 100, 200});
    expected.Fill(Bgr{125, 125, 182});
    EXPECT_EQ(RunEffectPipeline(s, f.View(), host), 1);
    EXPECT_EQ(f.Pixels(), expected.Pixels());
}

}  // namespace
}  // namespace vimbrel::effects
