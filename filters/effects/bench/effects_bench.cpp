// Per-stage cost of the effect pipeline at 640 x 480 and 1280 x 720. The
// timed loop is what the filter does per frame: copy the input into the
// output buffer, then run the stages in place on it. Counters per case:
//   ms_per_frame  copy plus stages (the Time column, in milliseconds)
//   stage_ms      the stages alone: ms_per_frame less one frame copy
//   x_copy        ms_per_frame as a multiple of one frame copy timed in the
//                 same run (all stages off is 1)
//   worst_ms      the slowest single frame (for the chains: the frame that
//                 runs the white-balance analysis)
// Timing the copy with the stages, rather than leaving it out by hand, keeps
// the iteration count sane for stages that cost next to nothing.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <utility>

#include "BenchStages.h"
#include "simd/SimdLevel.h"

namespace vimbrel::effects::bench {
namespace {

using Clock = std::chrono::steady_clock;

// Milliseconds of one frame copy per frame size, measured before the stages.
std::map<std::pair<int, int>, double>& CopyMilliseconds() {
    static std::map<std::pair<int, int>, double> times;
    return times;
}

// Restores the frame and runs the pipeline once per iteration.
void RunStage(benchmark::State& state, const BenchStage& stage) {
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    BenchFrame f(w, h);
    CBenchHost host(stage.threads);
    CEffectSettings settings;
    settings.UpdateFrameSize(w, h);
    stage.setup(settings);
    const int counter = settings.whiteBalance.frameCounter;
    f.Restore();
    RunEffectPipeline(settings, f.view, host);  // scratch memory reaches its size
    settings.whiteBalance.frameCounter = counter;
    double worst = 0.0;
    const auto start = Clock::now();
    for (auto _ : state) {
        const auto frameStart = Clock::now();
        f.Restore();
        RunEffectPipeline(settings, f.view, host);
        benchmark::ClobberMemory();
        worst = std::max(worst, std::chrono::duration<double, std::milli>(Clock::now() - frameStart).count());
    }
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count() /
                      static_cast<double>(state.iterations());
    auto& copies = CopyMilliseconds();
    auto found = copies.find({w, h});
    if (found == copies.end()) {
        found = copies.emplace(std::make_pair(w, h), MeasureFrameCopyMs(w, h)).first;
    }
    state.counters["ms_per_frame"] = ms;
    state.counters["stage_ms"] = ms - found->second;
    state.counters["x_copy"] = ms / found->second;
    state.counters["worst_ms"] = worst;
}

void Copy(benchmark::State& state) {
    BenchFrame f(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        f.Restore();
        benchmark::ClobberMemory();
    }
}

void RegisterAll() {
    benchmark::RegisterBenchmark("frame_copy", Copy)
        ->Args({640, 480})
        ->Args({1280, 720})
        ->Unit(benchmark::kMillisecond);
    for (const BenchStage& stage : AllStages()) {
        RegisterAtBenchSizes(stage.name, [stage](benchmark::State& s) { RunStage(s, stage); });
    }
}

}  // namespace
}  // namespace vimbrel::effects::bench

int main(int argc, char** argv) {
    std::printf("vector level: %s\n", vimbrel::simd::SimdLevelName(vimbrel::simd::ActiveSimdLevel()));
    vimbrel::effects::bench::RegisterAll();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
