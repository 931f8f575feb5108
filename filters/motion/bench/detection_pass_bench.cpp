// Cost of one detection pass against the cost of copying the frame once,
// both measured in the same run on the same buffers. Counters per case:
//   pass_us          time of one pass (what the benchmark's own column shows)
//   copy_us          one memcpy of the frame
//   shrink_us        the block-averaging shrink alone
//   pass_in_copies   pass / copy
//   rest_in_copies   (pass - shrink) / copy: the target is at most 3 at levels 1-10
//   allocs_per_pass  heap allocations per pass once warm: the target is 0
#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "DiffBlock_DetectAlgorithm.h"
#include "GrayImage.h"
#include "ProcessWideState.h"
#include "../tests/SyntheticFrames.h"

namespace {

std::atomic<long> g_allocations{0};

}  // namespace

// Kept out of line: once one side is inlined, g++ sees malloc() meet
// operator delete, or operator new meet free(), and warns of a mismatch
// that these replacements rule out (every allocation here is malloc).
[[gnu::noinline]] void* operator new(std::size_t n) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
[[gnu::noinline]] void* operator new[](std::size_t n) { return operator new(n); }
[[gnu::noinline]] void* operator new(std::size_t n, const std::nothrow_t&) noexcept {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    return std::malloc(n ? n : 1);
}
[[gnu::noinline]] void* operator new[](std::size_t n, const std::nothrow_t& t) noexcept { return operator new(n, t); }
[[gnu::noinline]] void operator delete(void* p) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete[](void* p) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

using motion::CDiffBlockDetector;
using motion_test::SyntheticFrame;
using Clock = std::chrono::steady_clock;

enum Marks { kNoMarks = 0, kOutlines = 1, kRectangles = 2 };

template <typename F>
double MicrosecondsPerCall(int calls, F&& f) {
    const auto t0 = Clock::now();
    for (int i = 0; i < calls; ++i) f();
    return std::chrono::duration<double, std::micro>(Clock::now() - t0).count() / calls;
}

// args: width, height, level, marks. Frames alternate between a still
// scene and the same scene with a block moved in, so every pass finds
// motion and (without marks, as the capture engine runs it) retakes its base.
void DetectionPass(benchmark::State& state) {
    const auto w = static_cast<std::uint32_t>(state.range(0));
    const auto h = static_cast<std::uint32_t>(state.range(1));
    const auto level = static_cast<std::uint32_t>(state.range(2));
    const auto marks = static_cast<Marks>(state.range(3));

    motion::ResetProcessWideMotionState();
    SyntheticFrame still(w, h), moved(w, h), copyTarget(w, h);
    still.Fill(60, 90, 120);
    still.AddNoise(7, 3);
    moved = still;
    moved.FillRect(w / 3, h / 3, w / 2, h / 2, 250, 250, 250);

    CDiffBlockDetector d;
    if (d.AllocateCache(still.Header()) != motion::kOk) {
        state.SkipWithError("no cache");
        return;
    }
    d.SetDetectLevel(level, nullptr);
    int markVideo = marks != kNoMarks, markRect = marks == kRectangles;
    d.MarkMotionOnVideo(&markVideo);
    d.MarkMotionRect(&markRect);
    d.SetBaseFrame(still.Data(), motion::kModeDynamicBase);

    bool flip = false;
    auto pass = [&] {
        SyntheticFrame& f = flip ? moved : still;
        flip = !flip;
        motion::MotionRect rect{};
        if (d.DetectFrame(f.Data(), motion::kModeDynamicBase, rect)) d.MarkMotion(f.Data(), motion::kMarkRed);
        benchmark::DoNotOptimize(rect);
    };
    for (int i = 0; i < 4; ++i) pass();  // warm: lists reach their working size

    const double copyUs = MicrosecondsPerCall(50, [&] {
        std::memcpy(copyTarget.Data(), still.Data(), still.Bytes());
        benchmark::ClobberMemory();
    });
    std::vector<std::uint8_t> gray(std::size_t(w) * h);
    std::vector<std::uint32_t> acc(std::size_t(w) * 3);
    const double shrinkUs = MicrosecondsPerCall(50, [&] {
        motion::xZoomOutRGB2Gray(gray.data(), still.Data(), w, h, d.BlockInUse(), d.ReducedWidth(), d.ReducedHeight(),
                                 acc.data());
        benchmark::ClobberMemory();
    });

    long passes = 0;
    const long allocationsBefore = g_allocations.load();
    const auto t0 = Clock::now();
    for (auto _ : state) {
        pass();
        ++passes;
    }
    const double passUs = std::chrono::duration<double, std::micro>(Clock::now() - t0).count() / passes;
    const long allocations = g_allocations.load() - allocationsBefore;

    state.counters["pass_us"] = passUs;
    state.counters["copy_us"] = copyUs;
    state.counters["shrink_us"] = shrinkUs;
    state.counters["pass_in_copies"] = passUs / copyUs;
    state.counters["rest_in_copies"] = (passUs - shrinkUs) / copyUs;
    state.counters["allocs_per_pass"] = static_cast<double>(allocations) / passes;
    state.counters["block"] = d.BlockInUse();
}

void Cases(benchmark::internal::Benchmark* b) {
    b->ArgNames({"w", "h", "level", "marks"});
    for (auto size : {std::pair<int, int>{640, 480}, {1280, 720}}) {
        for (int level : {0, 5, 10}) b->Args({size.first, size.second, level, kNoMarks});
        b->Args({size.first, size.second, 5, kOutlines});
        b->Args({size.first, size.second, 5, kRectangles});
        b->Args({size.first, size.second, 0, kOutlines});
    }
    b->Unit(benchmark::kMicrosecond);
}

BENCHMARK(DetectionPass)->Apply(Cases);

}  // namespace

BENCHMARK_MAIN();
