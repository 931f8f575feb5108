#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "TestFrame.h"
#include "kernels/EffectPipeline.h"

#if defined(__has_include)
#if __has_include(<sanitizer/asan_interface.h>)
#include <sanitizer/asan_interface.h>
#endif
#endif
#ifndef ASAN_POISON_MEMORY_REGION
#define ASAN_POISON_MEMORY_REGION(addr, size) ((void)(addr), (void)(size))
#define ASAN_UNPOISON_MEMORY_REGION(addr, size) ((void)(addr), (void)(size))
#endif

// Runs every stage over awkward sizes and layouts and proves the kernels
// stay inside their frames: each frame lies between guard bytes that every
// run must leave as they were. Under the address sanitizer the guards are
// poisoned too, so a read there is caught as well; under Wine, where no
// sanitizer watches, the guards are what catch a stray write.
namespace vimbrel::effects {
namespace {

class CGuardedFrame {
public:
    // packedRows: rows of exactly width x 3 bytes; otherwise 4-byte aligned.
    CGuardedFrame(int width, int height, bool packedRows, uint32_t seed) {
        const std::size_t packed = static_cast<std::size_t>(width) * 3;
        rowBytes_ = packedRows ? packed : ((packed + 3) & ~std::size_t{3});
        size_ = rowBytes_ * static_cast<std::size_t>(height);
        bytes_.assign(kGuard + size_ + kGuard, kGuardByte);
        for (std::size_t i = 0; i < size_; ++i) {
            seed = seed * 1664525u + 1013904223u;
            bytes_[kGuard + i] = static_cast<uint8_t>(seed >> 24);
        }
        MakeFrameView(bytes_.data() + kGuard, size_, width, height, view_);
        Poison();
    }
    ~CGuardedFrame() { ASAN_UNPOISON_MEMORY_REGION(bytes_.data(), bytes_.size()); }
    CGuardedFrame(const CGuardedFrame&) = delete;
    CGuardedFrame& operator=(const CGuardedFrame&) = delete;

    const RgbFrame& View() const { return view_; }
    // Where the first changed guard byte lies ("before"/"after" and its
    // distance from the frame), or empty when both guards are whole.
    std::string DamagedGuard() {
        ASAN_UNPOISON_MEMORY_REGION(bytes_.data(), bytes_.size());
        std::string where;
        for (std::size_t i = 0; i < kGuard && where.empty(); ++i) {
            if (bytes_[kGuard - 1 - i] != kGuardByte) where = "before, " + std::to_string(i + 1);
            if (bytes_[kGuard + size_ + i] != kGuardByte) where = "after, " + std::to_string(i + 1);
        }
        Poison();
        return where;
    }

private:
    static constexpr std::size_t kGuard = 4096;
    static constexpr uint8_t kGuardByte = 0xA5;
    void Poison() {
        ASAN_POISON_MEMORY_REGION(bytes_.data(), kGuard);
        ASAN_POISON_MEMORY_REGION(bytes_.data() + kGuard + size_, kGuard);
    }

    std::size_t rowBytes_ = 0, size_ = 0;
    std::vector<uint8_t> bytes_;
    RgbFrame view_;
};


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
            CGuardedFrame f(w, h, packed, static_cast<uint32_t>(w * 31 + h));
            for (int id : ids) {
                CEffectSettings s;
                for (int param : {0, 1}) {
                    s.SetEffect(id, param, random);
                    RunEffectPipeline(s, f.View(), host);
                    ASSERT_EQ(f.DamagedGuard(), "") << "effect " << id << " at " << w << " x " << h;
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
        CGuardedFrame f(w, h, (w & 1) != 0, 3);
        for (int method = 0; method <= 4; ++method) {
            for (int flips = 0; flips < 4; ++flips) {
                for (float factor : factors) {
                    CEffectSettings s;
                    s.SetZoom(1, method, factor, flips & 1, flips >> 1);
                    RunEffectPipeline(s, f.View(), host);
                    ASSERT_EQ(f.DamagedGuard(), "")
                        << "zoom " << method << " x " << factor << " at " << w << " x " << h;
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
        CGuardedFrame f(w, h, true, 5);
        for (int mode : {0, 1}) {
            CEffectSettings s;
            s.gammaCorrectOn = 1;
            SetGammaAdjustment(s.colour, 70, 30, 20, 60, 80);
            s.SetAutoWhiteBalance(1, mode, 0);
            s.despeckleOn = 1;
            s.ShowFps(1);
            RunEffectPipeline(s, f.View(), host);
            ASSERT_EQ(f.DamagedGuard(), "") << "white balance " << mode << " at " << w << " x " << h;
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
