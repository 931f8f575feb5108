// Any sequence of settings calls and frames, as a COM client can send them:
// the effects pipeline must neither read nor write outside the sample, and
// the stretch it hands the host must lie inside the frame.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <vector>

#include "kernels/ColourTables.h"
#include "kernels/EffectPipeline.h"

using namespace vimbrel::effects;

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

class CFuzzRandom final : public IRandomSource {
public:
    explicit CFuzzRandom(uint32_t seed) : state_(seed) {}
    int Next() override {
        state_ = state_ * 1103515245u + 12345u;
        return static_cast<int>((state_ >> 16) & 0x7FFF);
    }

private:
    uint32_t state_;
};

class CCheckingHost final : public IEffectHost {
public:
    explicit CCheckingHost(uint32_t seed) : random(seed) {}
    void FrameSizeChanged() override {}
    TimeOfDay Now() override { return clock; }
    void ShowFrameRateText(const char16_t* text) override {
        int n = 0;
        while (n < 32 && text[n] != u'\0') ++n;
        Check(n < 32);
    }
    void StretchZoom(const RgbFrame& frame, const ZoomCrop& crop) override {
        Check(crop.x0 >= 0 && crop.y0 >= 0 && crop.width >= 1 && crop.height >= 1);
        Check(crop.x0 + crop.width <= frame.width && crop.y0 + crop.height <= frame.height);
    }
    void Compose(const RgbFrame&) override {}
    ITileRunner& Tiles() override { return tiles; }
    IRandomSource& Random() override { return random; }
    CScratch& Scratch() override { return scratch; }

    TimeOfDay clock;
    CSerialTileRunner tiles;
    CFuzzRandom random;
    CScratch scratch;
};

float ZoomFactor(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange(0, 7)) {
    case 0: return std::numeric_limits<float>::quiet_NaN();
    case 1: return std::numeric_limits<float>::infinity();
    case 2: return -std::numeric_limits<float>::infinity();
    case 3: return std::numeric_limits<float>::max();
    case 4: return std::numeric_limits<float>::denorm_min();
    default: return in.ConsumeFloatingPointInRange(-4.0f, 40.0f);
    }
}

// A sample of exactly `length` bytes (so the sanitizer sees any stray
// access) under a header of any width and height.
void Frame(FuzzedDataProvider& in, CEffectSettings& settings, CCheckingHost& host) {
    const int width = in.ConsumeIntegralInRange(-2, 72);
    const int height = in.ConsumeBool() ? in.ConsumeIntegralInRange(-72, 72) : in.ConsumeIntegral<int>();
    const std::size_t aligned = static_cast<std::size_t>(width > 0 ? (width * 3 + 3) & ~3 : 0) *
                                static_cast<std::size_t>(height == std::numeric_limits<int>::min() ? 0
                                                                                                   : std::abs(height));
    // Headers may promise any size; samples stay within what a camera sends.
    const std::size_t length = in.ConsumeIntegralInRange<std::size_t>(0,
                                                                      std::min<std::size_t>(aligned + 8, 80 * 80 * 4));
    std::vector<uint8_t> sample(length);
    const uint8_t fill = in.ConsumeIntegral<uint8_t>();
    for (std::size_t i = 0; i < length; ++i) sample[i] = static_cast<uint8_t>(fill + i * 37);
    host.clock.millisecond = in.ConsumeIntegralInRange(0, 999);
    host.clock.second = in.ConsumeIntegralInRange(0, 59);
    RgbFrame frame;
    if (!MakeFrameView(sample.data(), sample.size(), width, height, frame)) return;
    Check(RunEffectPipeline(settings, frame, host) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    CCheckingHost host(in.ConsumeIntegral<uint32_t>());
    CEffectSettings s;
    for (int step = 0; step < 24 && in.remaining_bytes() > 0; ++step) {
        switch (in.ConsumeIntegralInRange(0, 9)) {
        case 0: s.SetEffect(in.ConsumeIntegralInRange(-2, 30), in.ConsumeIntegral<int>(), host.Random()); break;
        case 1: {
            const int enable = in.ConsumeIntegralInRange(-1, 1), method = in.ConsumeIntegralInRange(-1, 4);
            const float factor = ZoomFactor(in);
            s.SetZoom(enable, method, factor, in.ConsumeIntegralInRange(0, 1), in.ConsumeIntegralInRange(0, 1));
            break;
        }
        case 2: s.ShowFps(in.ConsumeIntegralInRange(0, 1)); break;
        case 3:
            s.SetAutoWhiteBalance(in.ConsumeIntegralInRange(0, 1), in.ConsumeIntegralInRange(-1, 2),
                                  in.ConsumeIntegral<int>());
            break;
        case 4: {
            int v[5];
            for (int& x : v) x = in.ConsumeBool() ? in.ConsumeIntegralInRange(-10, 110) : in.ConsumeIntegral<int>();
            SetGammaAdjustment(s.colour, v[0], v[1], v[2], v[3], v[4]);
            break;
        }
        case 5:
            s.gammaCorrectOn = in.ConsumeIntegralInRange(0, 1);
            s.despeckleOn = in.ConsumeIntegralInRange(0, 1);
            s.featureFlags[in.ConsumeIntegralInRange(0, kFeatureFlagCount - 1)] = in.ConsumeIntegralInRange(0, 1);
            break;
        case 6: s.controlId = in.ConsumeIntegral<int>(); break;  // as a loaded stream sets it
        default: Frame(in, s, host); break;
        }
    }
    return 0;
}
