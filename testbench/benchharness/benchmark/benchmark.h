#pragma once
// The part of the Google Benchmark interface our benchmark programs use, for
// the builds where that library does not exist (MinGW, run under Wine). The
// same benchmark source then builds against either; the output has the same
// columns: name, time and CPU time per iteration, iterations, counters.
//
// Supported: the State loop, range(), iterations(), SetIterationTime,
// SkipWithError, PauseTiming/ResumeTiming, counters, SetBytesProcessed
// (shown as the counter bytes_per_second); Arg, Args, ArgNames,
// Apply, UseManualTime, UseRealTime, Unit, Iterations, MinTime; BENCHMARK,
// RegisterBenchmark, BENCHMARK_MAIN, DoNotOptimize, ClobberMemory; the
// flags --benchmark_filter, --benchmark_min_time, --benchmark_repetitions,
// --benchmark_list_tests.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace benchmark {

enum TimeUnit { kNanosecond, kMicrosecond, kMillisecond, kSecond };

class Counter {
public:
    Counter(double v = 0.0) : value(v) {}  // implicit, as in the original
    operator double() const { return value; }
    double value;
};

using UserCounters = std::map<std::string, Counter>;

namespace internal {
class Runner;
}

class State {
public:
    // What a range-for over the state iterates: the harness counts down.
    class Iterator {
    public:
        Iterator(State* state, int64_t left) : state_(state), left_(left) {}
        // Marked unused, as the original does, so `for (auto _ : state)`
        // draws no warning.
#if defined(__GNUC__) || defined(__clang__)
        struct __attribute__((unused)) Value {};
#else
        struct Value {};
#endif
        Value operator*() const { return {}; }
        Iterator& operator++() {
            --left_;
            return *this;
        }
        bool operator!=(const Iterator&) const {
            if (left_ > 0) {
                return true;
            }
            state_->FinishLoop();
            return false;
        }

    private:
        State* state_;
        int64_t left_;
    };

    Iterator begin();
    Iterator end() { return Iterator(this, 0); }
    bool KeepRunning();

    int64_t range(std::size_t i = 0) const { return args_.at(i); }
    int64_t iterations() const { return iterations_; }
    void SetIterationTime(double seconds) { manualSeconds_ += seconds; }
    void SetBytesProcessed(int64_t bytes) { bytesProcessed_ = bytes; }
    void SkipWithError(const char* message);
    void PauseTiming();
    void ResumeTiming();

    UserCounters counters;

private:
    friend class internal::Runner;
    State(std::vector<int64_t> args, int64_t iterations);
    void StartLoop();
    void FinishLoop();

    std::vector<int64_t> args_;
    int64_t iterations_;
    int64_t keepRunningLeft_ = -1;
    bool started_ = false;
    bool finished_ = false;
    bool paused_ = false;
    bool error_ = false;
    std::string errorMessage_;
    int64_t bytesProcessed_ = 0;
    double manualSeconds_ = 0.0;
    double realSeconds_ = 0.0;
    double cpuSeconds_ = 0.0;
    double realMark_ = 0.0;
    double cpuMark_ = 0.0;
};

namespace internal {

using Function = std::function<void(State&)>;

class Benchmark {
public:
    Benchmark(std::string name, Function fn) : name_(std::move(name)), fn_(std::move(fn)) {}

    Benchmark* Arg(int64_t x) { return Args({x}); }
    Benchmark* Args(const std::vector<int64_t>& args) {
        argSets_.push_back(args);
        return this;
    }
    Benchmark* ArgNames(const std::vector<std::string>& names) {
        argNames_ = names;
        return this;
    }
    Benchmark* Apply(void (*custom)(Benchmark*)) {
        custom(this);
        return this;
    }
    Benchmark* UseManualTime() {
        manualTime_ = true;
        return this;
    }
    Benchmark* UseRealTime() {
        realTime_ = true;
        return this;
    }
    Benchmark* Unit(TimeUnit unit) {
        unit_ = unit;
        return this;
    }
    Benchmark* Iterations(int64_t n) {
        fixedIterations_ = n;
        return this;
    }
    Benchmark* MinTime(double seconds) {
        minTime_ = seconds;
        return this;
    }

private:
    friend class Runner;
    std::string name_;
    Function fn_;
    std::vector<std::vector<int64_t>> argSets_;
    std::vector<std::string> argNames_;
    bool manualTime_ = false;
    bool realTime_ = false;
    TimeUnit unit_ = kNanosecond;
    int64_t fixedIterations_ = 0;
    double minTime_ = 0.0;
};

Benchmark* Register(std::unique_ptr<Benchmark> benchmark);

// Keeps a value alive in the optimiser's eyes without a store of our own.
void UseCharPointer(char const volatile*);

}  // namespace internal

template <typename Fn>
internal::Benchmark* RegisterBenchmark(const char* name, Fn&& fn) {
    return internal::Register(std::make_unique<internal::Benchmark>(name, internal::Function(std::forward<Fn>(fn))));
}

template <typename T>
inline void DoNotOptimize(T&& value) {
#if defined(__GNUC__) || defined(__clang__)
    asm volatile("" : : "r,m"(value) : "memory");
#else
    internal::UseCharPointer(&reinterpret_cast<char const volatile&>(value));
#endif
}

inline void ClobberMemory() {
#if defined(__GNUC__) || defined(__clang__)
    asm volatile("" : : : "memory");
#endif
}

void Initialize(int* argc, char** argv);
bool ReportUnrecognizedArguments(int argc, char** argv);
std::size_t RunSpecifiedBenchmarks();
void Shutdown();

}  // namespace benchmark

#define BENCHMARK_HARNESS_CONCAT2(a, b) a##b
#define BENCHMARK_HARNESS_CONCAT(a, b) BENCHMARK_HARNESS_CONCAT2(a, b)

#define BENCHMARK(fn)                                                                                                  \
    static ::benchmark::internal::Benchmark* BENCHMARK_HARNESS_CONCAT(                                                 \
        benchmark_registered_, __LINE__) = ::benchmark::RegisterBenchmark(#fn, fn)

#define BENCHMARK_MAIN()                                                                                               \
    int main(int argc, char** argv) {                                                                                  \
        ::benchmark::Initialize(&argc, argv);                                                                          \
        if (::benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;                                            \
        ::benchmark::RunSpecifiedBenchmarks();                                                                         \
        ::benchmark::Shutdown();                                                                                       \
        return 0;                                                                                                      \
    }                                                                                                                  \
    int main(int, char**)
