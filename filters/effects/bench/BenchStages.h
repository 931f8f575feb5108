#pragma once
// The stage settings the benchmark times and the instruction-count driver
// runs, and the camera-like picture both feed them, so the two always measure
// the same work.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "kernels/EffectPipeline.h"
#include "kernels/PointEffects.h"

namespace vimbrel::effects::bench {

struct BenchFrame {
    std::vector<uint8_t> source;
    std::vector<uint8_t> buffer;
    RgbFrame view;

    BenchFrame(int w, int h) : source(static_cast<std::size_t>(w) * h * 3), buffer(source.size()) {
        uint32_t seed = 1;
        // A smooth picture with some noise, closer to a camera than pure noise.
        for (int r = 0; r < h; ++r)
            for (int k = 0; k < w; ++k)
                for (int c = 0; c < 3; ++c) {
                    seed = seed * 1664525u + 1013904223u;
                    const int v = (k * 255 / w + r * 255 / h + c * 40) / 2 + static_cast<int>(seed >> 28);
                    source[(static_cast<std::size_t>(r) * w + k) * 3 + c] = static_cast<uint8_t>(v & 0xFF);
                }
        MakeFrameView(buffer.data(), buffer.size(), w, h, view);
    }
    void Restore() { std::memcpy(buffer.data(), source.data(), source.size()); }
};

// Milliseconds of one plain copy of a w x h frame: the reference both
// benchmark programs state their figures against.
inline double MeasureFrameCopyMs(int w, int h) {
    BenchFrame f(w, h);
    const int rounds = 400;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < rounds; ++i) {
        f.Restore();
        benchmark::DoNotOptimize(f.buffer.data());
        benchmark::ClobberMemory();
    }
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count() / rounds;
}

// Registers one benchmark at the two frame sizes every figure is given for,
// timed by the wall clock (worker threads count) and shown in milliseconds.
template <class Run>
void RegisterAtBenchSizes(const std::string& name, Run run) {
    benchmark::RegisterBenchmark(name.c_str(), run)
        ->Args({640, 480})
        ->Args({1280, 720})
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond);
}

class CBenchHost final : public IEffectHost {
public:
    explicit CBenchHost(bool threads) : threads_(threads) {}
    void FrameSizeChanged() override {}
    TimeOfDay Now() override { return {}; }
    void ShowFrameRateText(const char16_t*) override {}
    void StretchZoom(const RgbFrame&, const ZoomCrop&) override {}
    void Compose(const RgbFrame&) override {}
    ITileRunner& Tiles() override { return threads_ ? static_cast<ITileRunner&>(threaded_) : serial_; }
    IRandomSource& Random() override { return random_; }
    CScratch& Scratch() override { return scratch_; }

private:
    bool threads_;
    CSerialTileRunner serial_;
    CThreadTileRunner threaded_;
    CStdRandom random_;
    CScratch scratch_;
};

using Setup = std::function<void(CEffectSettings&)>;

struct BenchStage {
    std::string name;
    Setup setup;
    bool threads = false;
};

inline Setup Effect(int id) {
    return [id](CEffectSettings& s) {
        CStdRandom random;
        s.SetEffect(id, 1, random);
    };
}

// The period the developer page gives the white balance: one analysis every
// 15 frames, the other 14 only map through the tables.
constexpr int kWhiteBalancePeriod = 15;

inline std::vector<BenchStage> AllStages() {
    std::vector<BenchStage> stages = {
        {"all_off", [](CEffectSettings&) {}},
        {"fixed_gamma", [](CEffectSettings& s) { s.gammaCorrectOn = 1; }},
        {"brightness_contrast_gamma", [](CEffectSettings& s) { SetGammaAdjustment(s.colour, 70, 60, 40, 55, 60); }},
        {"brightness", [](CEffectSettings& s) { SetGammaAdjustment(s.colour, 70, 50, 50, 50, 50); }},
        {"contrast_gamma", [](CEffectSettings& s) { SetGammaAdjustment(s.colour, 50, 60, 40, 55, 60); }},
        {"white_balance_apply",
         [](CEffectSettings& s) {
             s.SetAutoWhiteBalance(1, 1, 1000000);
             s.whiteBalance.frameCounter = 1;  // never analyses while timed
         }},
        {"white_balance_analyse_all_pixels", [](CEffectSettings& s) { s.SetAutoWhiteBalance(1, 0, 1); }},
        {"white_balance_analyse_candidates", [](CEffectSettings& s) { s.SetAutoWhiteBalance(1, 1, 1); }},
        {"flip_both", [](CEffectSettings& s) { s.SetZoom(0, 3, 1.0f, 1, 1); }},
        {"zoom_nearest_x2", [](CEffectSettings& s) { s.SetZoom(1, 0, 2.0f, 0, 0); }},
        {"zoom_bilinear_x2", [](CEffectSettings& s) { s.SetZoom(1, 1, 2.0f, 0, 0); }},
        {"zoom_bicubic_x2", [](CEffectSettings& s) { s.SetZoom(1, 2, 2.0f, 0, 0); }},
        {"zoom_bicubic_x1.5", [](CEffectSettings& s) { s.SetZoom(1, 2, 1.5f, 0, 0); }},
        {"despeckle", [](CEffectSettings& s) { s.despeckleOn = 1; }},
    };
    const std::pair<int, const char*> effects[] = {
        {1, "red"},           {4, "cyan"},     {7, "negative"}, {8, "darken"},       {9, "grey"},
        {10, "blur"},         {11, "sharpen"}, {12, "sepia"},   {13, "posterize"},   {14, "clear_text"},
        {15, "black_white"},  {16, "emboss"},  {17, "mosaic"},  {18, "edge_detect"}, {19, "jitter"},
        {20, "kaleidoscope"}, {26, "mirror"}};
    for (const auto& [id, name] : effects) {
        stages.push_back({std::string("effect_") + name, Effect(id)});
    }
    stages.push_back({"effect_oil_painting_1_thread", Effect(21), false});
    stages.push_back({"effect_oil_painting_threads", Effect(21), true});
    // The heaviest chains the filter meets: white balance at its real period,
    // a bicubic zoom, then one costly effect (photo frame and text are drawn
    // by the Windows layer: filter_frame_bench times them with these chains).
    const auto chain = [](int effect) {
        return [effect](CEffectSettings& s) {
            s.SetAutoWhiteBalance(1, 1, kWhiteBalancePeriod);
            s.SetZoom(1, 2, 1.5f, 0, 0);
            CStdRandom random;
            s.SetEffect(effect, 0, random);
        };
    };
    stages.push_back({"chain_white_balance_bicubic_edge", chain(18)});
    stages.push_back({"chain_white_balance_bicubic_oil", chain(21), true});
    stages.push_back({"chain_white_balance_bicubic_oil_1_thread", chain(21), false});
    return stages;
}

}  // namespace vimbrel::effects::bench
