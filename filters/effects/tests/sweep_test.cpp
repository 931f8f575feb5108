#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include "TestFrame.h"
#include "kernels/EffectPipeline.h"

// Runs every stage over awkward sizes and layouts; with the address and
// undefined-behaviour sanitizers this is what proves the kernels stay inside
// their frames.
namespace vimbrel::effects {
namespace {


class CSweepHost final : public IEffectHost {
public:
    void FrameSizeChanged() override {}
    TimeOfDay Now() override { return {1, 2, 3, tick_++ % 1000}; }
    void ShowFrameRateText(const char16_t*) override {}
    void StretchZoom(const RgbFrame&, const ZoomCrop& crop) override { lastCrop = crop; }
    void Compose(const RgbFrame&) override {}
    ITileRunner& Tiles() override { return tiles_; }
    IRandomSource& Random() override { return random_; }
    CScratch& Scratch() override { return scratch_; }
    ZoomCrop lastCrop;

private:
    int tick_ = 0;
    CThreadTileRunner tiles_;
    CStdRandom random_;
    CScratch scratch_;
};

const std::pair<int, int> kSizes[] = {{1, 1},     {1, 2},     {2, 1},     {3, 3},      {5, 7},      {176, 144},
                                      {641, 481}, {960, 540}, {480, 640}, {1280, 480}, {1279, 719}, {1280, 720}};

TEST(Sweep, EveryEffectIdOnEverySize) {
    CSweepHost host;
    CStdRandom random;
    std::vector<int> ids;
    for (int id = 0; id <= 27; ++id) ids.push_back(id);
    ids.push_back(99);
    for (auto [w, h] : kSizes) {
        for (bool packed : {false, true}) {
            CTestFrame f(w, h, packed);
            f.FillNoise(static_cast<uint32_t>(w * 31 + h));
            for (int id : ids) {
                CEffectSettings s;
                for (int param : {0, 1}) {
                    s.SetEffect(id, param, random);
                    RunEffectPipeline(s, f.View(), host);
                }
            }
        }
    }
}

TEST(Sweep, EveryZoomMethodFactorAndFlip) {
    CSweepHost host;
    const float factors[] = {0.0f, 0.5f, std::numeric_limits<float>::quiet_NaN(), 1.0f, 1.00157f, 2.0f, 1000.0f};
    for (auto [w, h] : kSizes) {
        if (w * h > 700000) continue;  // the largest frames are covered by the effect sweep
        CTestFrame f(w, h, (w & 1) != 0);
        f.FillNoise(3);
        for (int method = 0; method <= 4; ++method) {
            for (int flips = 0; flips < 4; ++flips) {
                for (float factor : factors) {
                    CEffectSettings s;
                    s.SetZoom(1, method, factor, flips & 1, flips >> 1);
                    RunEffectPipeline(s, f.View(), host);
                    if (method == 3) {
                        const ZoomCrop& c = host.lastCrop;
                        ASSERT_GE(c.x0, 0);
                        ASSERT_LE(c.x0 + c.width, w);
                        ASSERT_LE(c.y0 + c.height, h);
                    }
                }
            }
        }
    }
}

TEST(Sweep, ColourStagesWhiteBalanceAndDespeckle) {
    CSweepHost host;
    for (auto [w, h] : kSizes) {
        CTestFrame f(w, h, true);
        f.FillNoise(5);
        for (int mode : {0, 1}) {
            CEffectSettings s;
            s.gammaCorrectOn = 1;
            SetGammaAdjustment(s.colour, 70, 30, 20, 60, 80);
            s.SetAutoWhiteBalance(1, mode, 0);
            s.despeckleOn = 1;
            s.ShowFps(1);
            RunEffectPipeline(s, f.View(), host);
        }
    }
}

TEST(Sweep, TopDownFramesMatchBottomUpOnes) {
    // The same picture stored top-down must come out the same picture.
    CSweepHost host;
    CStdRandom random;
    const int w = 37, h = 23;
    for (int id : {10, 11, 12, 16, 17, 18, 21, 26}) {
        CTestFrame up(w, h);
        up.FillNoise(12);
        std::vector<uint8_t> down(up.Buffer().size());
        const std::size_t row = up.Buffer().size() / h;
        for (int r = 0; r < h; ++r)
            std::copy(up.View().Row(r), up.View().Row(r) + row, down.begin() + (h - 1 - r) * row);
        RgbFrame downView;
        ASSERT_TRUE(MakeFrameView(down.data(), down.size(), w, -h, downView));

        CEffectSettings a, b;
        a.SetEffect(id, 0, random);
        b.SetEffect(id, 0, random);
        RunEffectPipeline(a, up.View(), host);
        RunEffectPipeline(b, downView, host);
        for (int r = 0; r < h; ++r)
            ASSERT_TRUE(std::equal(up.View().Row(r), up.View().Row(r) + w * 3, downView.Row(r))) << id;
    }
}

}  // namespace
}  // namespace vimbrel::effects
