// Cost of each photo-editor effect at 640 x 480 and 1280 x 720, reported as
// milliseconds per picture and as a multiple of one plain copy of the same
// picture timed in the same run.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "effects/PixelEffects.h"

namespace vimbrel::browser {
namespace {

using Clock = std::chrono::steady_clock;

struct BenchPicture {
    int width, height;
    std::vector<uint8_t> source, buffer;

    BenchPicture(int w, int h)
        : width(w), height(h), source(static_cast<std::size_t>(w) * h * 4), buffer(source.size()) {
        uint32_t seed = 1;
        // Smooth gradients with a little noise, closer to a photograph than
        // pure noise (which would make every gray histogram flat).
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                for (int c = 0; c < 4; ++c) {
                    seed = seed * 1664525u + 1013904223u;
                    const int v = (x * 255 / w + y * 255 / h + c * 40) / 2 + static_cast<int>(seed >> 28);
                    source[(static_cast<std::size_t>(y) * w + x) * 4 + c] = static_cast<uint8_t>(v & 0xFF);
                }
    }
    void Restore() { std::memcpy(buffer.data(), source.data(), source.size()); }
};

double MeasureCopyMilliseconds(int w, int h) {
    BenchPicture picture(w, h);
    const int rounds = 400;
    const auto start = Clock::now();
    for (int i = 0; i < rounds; ++i) {
        picture.Restore();
        benchmark::DoNotOptimize(picture.buffer.data());
        benchmark::ClobberMemory();
    }
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count() / rounds;
}

double CopyMilliseconds(int w, int h) {
    static std::map<std::pair<int, int>, double> times;
    auto found = times.find({w, h});
    if (found == times.end()) found = times.emplace(std::make_pair(w, h), MeasureCopyMilliseconds(w, h)).first;
    return found->second;
}

// Times the effect alone; restoring the picture between runs is not counted.
void RunEffect(benchmark::State& state, int effectId) {
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    BenchPicture picture(w, h);
    CRuntimeRandom random;
    double total = 0.0;
    for (auto _ : state) {
        picture.Restore();
        const auto start = Clock::now();
        const bool done = RunPixelEffect(effectId, picture.buffer.data(), picture.buffer.size(), w, h, random);
        benchmark::DoNotOptimize(done);
        benchmark::ClobberMemory();
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        state.SetIterationTime(seconds);
        total += seconds;
    }
    const double ms = total * 1000.0 / static_cast<double>(state.iterations());
    state.counters["ms_per_picture"] = ms;
    state.counters["x_copy"] = ms / CopyMilliseconds(w, h);
}

void Copy(benchmark::State& state) {
    BenchPicture picture(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        picture.Restore();
        benchmark::ClobberMemory();
    }
}

void RegisterAll() {
    benchmark::RegisterBenchmark("picture_copy", Copy)
        ->Args({640, 480})
        ->Args({1280, 720})
        ->Unit(benchmark::kMillisecond);
    const std::pair<int, const char*> effects[] = {
        {1, "red"},           {2, "green"},      {3, "blue"},           {4, "cyan"},        {5, "yellow"},
        {6, "magenta"},       {7, "negative"},   {8, "darken"},         {9, "gray"},        {10, "blur"},
        {11, "sharpen"},      {12, "sepia"},     {13, "posterize"},     {14, "clear_text"}, {15, "black_white"},
        {16, "emboss"},       {17, "mosaic"},    {18, "edge"},          {19, "frosted"},    {20, "dot_screen"},
        {21, "oil_painting"}, {26, "smoothing"}, {30, "colour_balance"}};
    for (const auto& [id, name] : effects) {
        const int effectId = id;
        benchmark::RegisterBenchmark((std::string("effect_") + name).c_str(),
                                     [effectId](benchmark::State& s) { RunEffect(s, effectId); })
            ->Args({640, 480})
            ->Args({1280, 720})
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    }
}

}  // namespace
}  // namespace vimbrel::browser

int main(int argc, char** argv) {
    vimbrel::browser::RegisterAll();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
