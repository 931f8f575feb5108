// Runs the registered benchmarks the way Google Benchmark does: each case
// grows its iteration count until one run lasts the minimum time, then its
// time per iteration and counters are printed in the same columns.

#include "benchmark/benchmark.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <regex>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <time.h>
#endif

namespace benchmark {
namespace {

double WallSeconds() {
    using Clock = std::chrono::steady_clock;
    return std::chrono::duration<double>(Clock::now().time_since_epoch()).count();
}

// Processor time of the calling thread: the CPU column.
double ThreadCpuSeconds() {
#ifdef _WIN32
    FILETIME creation, exit, kernel, user;
    if (!GetThreadTimes(GetCurrentThread(), &creation, &exit, &kernel, &user)) {
        return 0.0;
    }
    auto ticks = [](const FILETIME& t) { return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return static_cast<double>(ticks(kernel) + ticks(user)) * 1e-7;  // 100 ns units
#else
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
#endif
}

struct Options {
    std::string filter = ".";
    double minTime = 0.5;
    int repetitions = 1;
    bool listOnly = false;
    std::vector<std::string> unrecognised;
};

Options& TheOptions() {
    static Options options;
    return options;
}

std::vector<std::unique_ptr<internal::Benchmark>>& Registry() {
    static std::vector<std::unique_ptr<internal::Benchmark>> all;
    return all;
}

// "--name=value" gives value; anything else gives null.
const char* FlagValue(const char* arg, const char* name) {
    const std::size_t n = std::strlen(name);
    if (std::strncmp(arg, "--", 2) != 0 || std::strncmp(arg + 2, name, n) != 0 || arg[2 + n] != '=') {
        return nullptr;
    }
    return arg + 3 + n;
}

const char* UnitName(TimeUnit unit) {
    switch (unit) {
    case kSecond: return "s";
    case kMillisecond: return "ms";
    case kMicrosecond: return "us";
    default: return "ns";
    }
}

double UnitPerSecond(TimeUnit unit) {
    switch (unit) {
    case kSecond: return 1.0;
    case kMillisecond: return 1e3;
    case kMicrosecond: return 1e6;
    default: return 1e9;
    }
}

// Counter values with an SI prefix, as the original prints them.
std::string HumanReadable(double v) {
    static const struct {
        double scale;
        const char* suffix;
    } kPrefixes[] = {{1e9, "G"}, {1e6, "M"}, {1e3, "k"}, {1.0, ""}, {1e-3, "m"}, {1e-6, "u"}, {1e-9, "n"}};
    const double magnitude = std::fabs(v);
    char text[64];
    if (magnitude == 0.0 || (magnitude >= 0.01 && magnitude < 1e3)) {
        std::snprintf(text, sizeof text, "%g", v);
        return text;
    }
    for (const auto& p : kPrefixes) {
        if (magnitude >= p.scale) {
            std::snprintf(text, sizeof text, "%g%s", v / p.scale, p.suffix);
            return text;
        }
    }
    std::snprintf(text, sizeof text, "%g", v);
    return text;
}

}  // namespace

// ---- State ----

State::State(std::vector<int64_t> args, int64_t iterations) : args_(std::move(args)), iterations_(iterations) {}

void State::StartLoop() {
    started_ = true;
    realMark_ = WallSeconds();
    cpuMark_ = ThreadCpuSeconds();
}

void State::FinishLoop() {
    if (finished_) {
        return;
    }
    finished_ = true;
    if (!paused_) {
        realSeconds_ += WallSeconds() - realMark_;
        cpuSeconds_ += ThreadCpuSeconds() - cpuMark_;
    }
}

State::Iterator State::begin() {
    StartLoop();
    return Iterator(this, error_ ? 0 : iterations_);
}

bool State::KeepRunning() {
    if (!started_) {
        StartLoop();
        keepRunningLeft_ = error_ ? 0 : iterations_;
    }
    if (keepRunningLeft_ > 0) {
        --keepRunningLeft_;
        return true;
    }
    FinishLoop();
    return false;
}

void State::SkipWithError(const char* message) {
    error_ = true;
    errorMessage_ = message ? message : "";
}

void State::PauseTiming() {
    if (!paused_) {
        realSeconds_ += WallSeconds() - realMark_;
        cpuSeconds_ += ThreadCpuSeconds() - cpuMark_;
        paused_ = true;
    }
}

void State::ResumeTiming() {
    if (paused_) {
        realMark_ = WallSeconds();
        cpuMark_ = ThreadCpuSeconds();
        paused_ = false;
    }
}

namespace internal {

void UseCharPointer(char const volatile*) {}

Benchmark* Register(std::unique_ptr<Benchmark> benchmark) {
    Registry().push_back(std::move(benchmark));
    return Registry().back().get();
}

// One case: a benchmark with one set of arguments.
class Runner {
public:
    struct Result {
        std::string name;
        double seconds = 0.0;  // what the Time column shows, per run
        double cpuSeconds = 0.0;
        int64_t iterations = 0;
        UserCounters counters;
        bool error = false;
        std::string errorMessage;
    };

    static std::vector<std::vector<int64_t>> ArgumentSets(const Benchmark& b) {
        std::vector<std::vector<int64_t>> sets = b.argSets_;
        if (sets.empty()) {
            sets.emplace_back();
        }
        return sets;
    }

    static std::string CaseName(const Benchmark& b, const std::vector<int64_t>& args) {
        std::string name = b.name_;
        for (std::size_t i = 0; i < args.size(); ++i) {
            name += '/';
            if (i < b.argNames_.size() && !b.argNames_[i].empty()) {
                name += b.argNames_[i] + ':';
            }
            name += std::to_string(args[i]);
        }
        if (b.fixedIterations_ > 0) {
            name += "/iterations:" + std::to_string(b.fixedIterations_);
        }
        if (b.manualTime_) {
            name += "/manual_time";
        } else if (b.realTime_) {
            name += "/real_time";
        }
        return name;
    }

    static Result RunOnce(const Benchmark& b, const std::vector<int64_t>& args, int64_t iterations) {
        State state(args, iterations);
        b.fn_(state);
        state.FinishLoop();
        Result r;
        r.iterations = iterations;
        r.cpuSeconds = state.cpuSeconds_;
        r.seconds = b.manualTime_ ? state.manualSeconds_ : state.realSeconds_;
        r.counters = state.counters;
        if (state.bytesProcessed_ > 0 && r.seconds > 0.0) {
            r.counters["bytes_per_second"] = static_cast<double>(state.bytesProcessed_) / r.seconds;
        }
        r.error = state.error_;
        r.errorMessage = state.errorMessage_;
        return r;
    }

    // Grows the iteration count until a run lasts the minimum time; the
    // timing the decision uses is the one the Time column reports (or CPU
    // time when neither manual nor real time was asked for).
    static Result Run(const Benchmark& b, const std::vector<int64_t>& args, double minTime) {
        if (b.fixedIterations_ > 0) {
            return RunOnce(b, args, b.fixedIterations_);
        }
        const double target = b.minTime_ > 0.0 ? b.minTime_ : minTime;
        int64_t iterations = 1;
        for (;;) {
            Result r = RunOnce(b, args, iterations);
            const double measured = (b.manualTime_ || b.realTime_) ? r.seconds : r.cpuSeconds;
            constexpr int64_t kMaxIterations = 1000000000;
            if (r.error || measured >= target || iterations >= kMaxIterations) {
                return r;
            }
            double multiplier = measured > 0.0 ? target * 1.4 / measured : 10.0;
            multiplier = std::min(multiplier, 10.0);
            if (measured / target <= 0.1) {
                multiplier = 10.0;  // too short to predict from
            }
            const double next = std::max(std::round(static_cast<double>(iterations) * multiplier),
                                         static_cast<double>(iterations + 1));
            iterations = static_cast<int64_t>(std::min(next, static_cast<double>(kMaxIterations)));
        }
    }

    static void Print(const Benchmark& b, const Result& r, int nameWidth) {
        if (r.error) {
            std::printf("%-*s ERROR OCCURRED: '%s'\n", nameWidth, r.name.c_str(), r.errorMessage.c_str());
            return;
        }
        const double scale = UnitPerSecond(b.unit_) / static_cast<double>(std::max<int64_t>(r.iterations, 1));
        std::printf("%-*s %10.3f %-2s %10.3f %-2s %12lld", nameWidth, r.name.c_str(), r.seconds * scale,
                    UnitName(b.unit_), r.cpuSeconds * scale, UnitName(b.unit_), static_cast<long long>(r.iterations));
        for (const auto& [key, counter] : r.counters) {
            std::printf(" %s=%s", key.c_str(), HumanReadable(counter.value).c_str());
        }
        std::printf("\n");
        std::fflush(stdout);
    }

    // Mean, median and standard deviation over the repetitions, of the
    // times per iteration and of every counter.
    static void PrintAggregates(const Benchmark& b, const std::vector<Result>& runs, int nameWidth) {
        auto perIteration = [](const Result& r, double seconds) {
            return seconds / static_cast<double>(std::max<int64_t>(r.iterations, 1));
        };
        auto aggregate = [&](const char* suffix, auto reduce) {
            Result a;
            a.name = runs.front().name + suffix;
            a.iterations = 1;
            std::vector<double> times, cpus;
            for (const Result& r : runs) {
                times.push_back(perIteration(r, r.seconds));
                cpus.push_back(perIteration(r, r.cpuSeconds));
            }
            a.seconds = reduce(times);
            a.cpuSeconds = reduce(cpus);
            for (const auto& entry : runs.front().counters) {
                std::vector<double> values;
                for (const Result& r : runs) {
                    const auto found = r.counters.find(entry.first);
                    values.push_back(found == r.counters.end() ? 0.0 : found->second.value);
                }
                a.counters[entry.first] = reduce(values);
            }
            Print(b, a, nameWidth);
        };
        auto mean = [](std::vector<double> v) {
            double s = 0.0;
            for (double x : v) s += x;
            return s / static_cast<double>(v.size());
        };
        auto median = [](std::vector<double> v) {
            std::sort(v.begin(), v.end());
            const std::size_t n = v.size();
            return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2.0;
        };
        auto stddev = [mean](std::vector<double> v) {
            if (v.size() < 2) return 0.0;
            const double m = mean(v);
            double s = 0.0;
            for (double x : v) s += (x - m) * (x - m);
            return std::sqrt(s / static_cast<double>(v.size() - 1));
        };
        aggregate("_mean", mean);
        aggregate("_median", median);
        aggregate("_stddev", stddev);
    }
};

}  // namespace internal

void Initialize(int* argc, char** argv) {
    Options& o = TheOptions();
    int kept = 1;
    for (int i = 1; i < *argc; ++i) {
        const char* arg = argv[i];
        if (const char* v = FlagValue(arg, "benchmark_filter")) {
            o.filter = v;
        } else if (const char* v = FlagValue(arg, "benchmark_min_time")) {
            o.minTime = std::atof(v);
        } else if (const char* v = FlagValue(arg, "benchmark_repetitions")) {
            o.repetitions = std::max(1, std::atoi(v));
        } else if (const char* v = FlagValue(arg, "benchmark_list_tests")) {
            o.listOnly = std::strcmp(v, "true") == 0 || std::strcmp(v, "1") == 0;
        } else if (std::strcmp(arg, "--benchmark_list_tests") == 0) {
            o.listOnly = true;
        } else {
            argv[kept++] = argv[i];
            continue;
        }
    }
    *argc = kept;
}

bool ReportUnrecognizedArguments(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        std::fprintf(stderr, "%s: error: unrecognized command-line flag: %s\n", argv[0], argv[i]);
    }
    return argc > 1;
}

std::size_t RunSpecifiedBenchmarks() {
    const Options& o = TheOptions();
    // A leading '-' inverts the filter, as in the original.
    const bool negate = !o.filter.empty() && o.filter[0] == '-';
    std::regex pattern;
    try {
        pattern = std::regex(negate ? o.filter.substr(1) : o.filter);
    } catch (const std::regex_error&) {
        std::fprintf(stderr, "Could not compile benchmark re: %s\n", o.filter.c_str());
        return 0;
    }

    struct Case {
        const internal::Benchmark* benchmark;
        std::vector<int64_t> args;
        std::string name;
    };
    std::vector<Case> cases;
    for (const auto& b : Registry()) {
        for (const auto& args : internal::Runner::ArgumentSets(*b)) {
            std::string name = internal::Runner::CaseName(*b, args);
            if (std::regex_search(name, pattern) != negate) {
                cases.push_back({b.get(), args, std::move(name)});
            }
        }
    }
    if (o.listOnly) {
        for (const Case& c : cases) std::printf("%s\n", c.name.c_str());
        return cases.size();
    }

    int nameWidth = 10;
    for (const Case& c : cases) {
        const int extra = o.repetitions > 1 ? 7 : 0;  // "_median"
        nameWidth = std::max(nameWidth, static_cast<int>(c.name.size()) + extra);
    }
    const std::string rule(static_cast<std::size_t>(nameWidth) + 41, '-');
    std::printf("%s\n%-*s %13s %13s %12s\n%s\n", rule.c_str(), nameWidth, "Benchmark", "Time", "CPU", "Iterations",
                rule.c_str());
    std::fflush(stdout);
    for (const Case& c : cases) {
        std::vector<internal::Runner::Result> runs;
        for (int rep = 0; rep < o.repetitions; ++rep) {
            internal::Runner::Result r = internal::Runner::Run(*c.benchmark, c.args, o.minTime);
            r.name = c.name;
            internal::Runner::Print(*c.benchmark, r, nameWidth);
            runs.push_back(std::move(r));
            if (runs.back().error) break;
        }
        if (runs.size() > 1) {
            internal::Runner::PrintAggregates(*c.benchmark, runs, nameWidth);
        }
    }
    return cases.size();
}

void Shutdown() {}

}  // namespace benchmark
