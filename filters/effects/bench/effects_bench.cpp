// Per-stage cost of the effect pipeline at 640 x 480 and 1280 x 720. The
// timed loop is what the filter does per frame: copy the input into the
// output buffer, then run the stages in place on it. Counters per case:
//   ms_per_frame  copy plus stages (the Time column, in milliseconds)
//   stage_ms      the stages alone: ms_per_frame less one frame copy
//   x_copy        ms_per_frame as a multiple of one frame copy timed in the
//                 same run (all stages off is 1)
// Timing the copy with the stages, rather than leaving it out by hand, keeps
// the iteration count sane for stages that cost next to nothing.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "kernels/EffectPipeline.h"
#include "kernels/PointEffects.h"

namespace vimbrel::effects {
namespace {

using Clock = std::chrono::steady_clock;

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

// Milliseconds of one frame copy per frame size, measured before the stages.
std::map<std::pair<int, int>, double>& CopyMilliseconds() {
    static std::map<std::pair<int, int>, double> times;
    return times;
}

double MeasureCopy(int w, int h) {
    BenchFrame f(w, h);
    const int rounds = 400;
    const auto start = Clock::now();
    for (int i = 0; i < rounds; ++i) {
        f.Restore();
        benchmark::DoNotOptimize(f.buffer.data());
        benchmark::ClobberMemory();
    }
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count() / rounds;
}

using Setup = std::function<void(CEffectSettings&)>;

// Restores the frame and runs the pipeline once per iteration.
void RunStage(benchmark::State& state, Setup setup, bool threads) {
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    BenchFrame f(w, h);
    CBenchHost host(threads);
    CEffectSettings settings;
    settings.UpdateFrameSize(w, h);
    setup(settings);
    f.Restore();
    RunEffectPipeline(settings, f.view, host);  // scratch memory reaches its size
    const auto start = Clock::now();
    for (auto _ : state) {
        f.Restore();
        RunEffectPipeline(settings, f.view, host);
        benchmark::ClobberMemory();
    }
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count() /
                      static_cast<double>(state.iterations());
    auto& copies = CopyMilliseconds();
    auto found = copies.find({w, h});
    if (found == copies.end()) {
        found = copies.emplace(std::make_pair(w, h), MeasureCopy(w, h)).first;
    }
    state.counters["ms_per_frame"] = ms;
    state.counters["stage_ms"] = ms - found->second;
    state.counters["x_copy"] = ms / found->second;
}

void Copy(benchmark::State& state) {
    BenchFrame f(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        f.Restore();
        benchmark::ClobberMemory();
    }
}

void Register(const std::string& name, Setup setup, bool threads = false) {
    benchmark::RegisterBenchmark(name.c_str(), [setup, threads](benchmark::State& s) { RunStage(s, setup, threads); })
        ->Args({640, 480})
        ->Args({1280, 720})
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond);
}

Setup Effect(int id) {
    return [id](CEffectSettings& s) {
        CStdRandom random;
        s.SetEffect(id, 1, random);
    };
}

void RegisterAll() {
    benchmark::RegisterBenchmark("frame_copy", Copy)->Args({640, 480})->Args({1280, 720})->Unit(benchmark::kMillisecond);
    Register("all_off", [](CEffectSettings&) {});
    Register("fixed_gamma", [](CEffectSettings& s) { s.gammaCorrectOn = 1; });
    Register("brightness_contrast_gamma", [](CEffectSettings& s) { SetGammaAdjustment(s.colour, 70, 60, 40, 55, 60); });
    Register("contrast_gamma", [](CEffectSettings& s) { SetGammaAdjustment(s.colour, 50, 60, 40, 55, 60); });
    Register("white_balance_apply", [](CEffectSettings& s) {
        s.SetAutoWhiteBalance(1, 1, 1000000);
        s.whiteBalance.frameCounter = 1;  // never analyses while timed
    });
    Register("white_balance_analyse_all_pixels", [](CEffectSettings& s) { s.SetAutoWhiteBalance(1, 0, 1); });
    Register("white_balance_analyse_candidates", [](CEffectSettings& s) { s.SetAutoWhiteBalance(1, 1, 1); });
    Register("flip_both", [](CEffectSettings& s) { s.SetZoom(0, 3, 1.0f, 1, 1); });
    Register("zoom_nearest_x2", [](CEffectSettings& s) { s.SetZoom(1, 0, 2.0f, 0, 0); });
    Register("zoom_bilinear_x2", [](CEffectSettings& s) { s.SetZoom(1, 1, 2.0f, 0, 0); });
    Register("zoom_bicubic_x2", [](CEffectSettings& s) { s.SetZoom(1, 2, 2.0f, 0, 0); });
    Register("despeckle", [](CEffectSettings& s) { s.despeckleOn = 1; });
    const std::pair<int, const char*> effects[] = {
        {1, "red"},          {4, "cyan"},       {7, "negative"},     {8, "darken"},      {9, "grey"},
        {10, "blur"},        {11, "sharpen"},   {12, "sepia"},       {13, "posterize"},  {14, "clear_text"},
        {15, "black_white"}, {16, "emboss"},    {17, "mosaic"},      {18, "edge_detect"}, {19, "jitter"},
        {20, "kaleidoscope"}, {26, "mirror"}};
    for (const auto& [id, name] : effects) {
        Register(std::string("effect_") + name, Effect(id));
    }
    Register("effect_oil_painting_1_thread", Effect(21), false);
    Register("effect_oil_painting_threads", Effect(21), true);
    Register("chain_white_balance_bicubic_edge", [](CEffectSettings& s) {
        s.SetAutoWhiteBalance(1, 1, 1);
        s.SetZoom(1, 2, 1.5f, 0, 0);
        CStdRandom random;
        s.SetEffect(18, 0, random);
    });
    Register("chain_white_balance_bicubic_oil", [](CEffectSettings& s) {
        s.SetAutoWhiteBalance(1, 1, 1);
        s.SetZoom(1, 2, 1.5f, 0, 0);
        CStdRandom random;
        s.SetEffect(21, 0, random);
    }, true);
}

}  // namespace
}  // namespace vimbrel::effects

int main(int argc, char** argv) {
    vimbrel::effects::RegisterAll();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
