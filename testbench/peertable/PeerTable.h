#pragma once
// A side-by-side table of our stages and the same work done by outside
// libraries (benchmark builds only). Each comparison times our version and
// every peer's in alternating batches, so a machine that other work keeps
// busy slows all of them alike; a figure is the median of the batches.
// Frame copies timed the same way give the machine's noise.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace vimbrel::bench {

struct PeerRun {
    std::string name;
    std::function<void()> run;
};

class CPeerTable {
public:
    explicit CPeerTable(int batches = 9) : batches_(batches) {}

    // One table row per stage and frame size: ours, each peer, and ours / the
    // fastest peer. `note` says where the work differs, if it does.
    void Compare(const std::string& stage, int w, int h, const std::function<void()>& ours,
                 const std::vector<PeerRun>& peers, const std::string& note = "") {
        std::vector<const std::function<void()>*> runs{&ours};
        for (const PeerRun& p : peers) runs.push_back(&p.run);
        std::vector<std::vector<double>> times(runs.size());
        std::vector<int> repeats;
        for (const auto* run : runs) repeats.push_back(RepeatsFor(*run));
        for (int b = 0; b < batches_; ++b)
            for (std::size_t i = 0; i < runs.size(); ++i) times[i].push_back(BatchMs(*runs[i], repeats[i]));
        Row row{stage, std::to_string(w) + "x" + std::to_string(h), Median(times[0]), {}, note};
        for (std::size_t i = 1; i < runs.size(); ++i) row.peers.push_back({peers[i - 1].name, Median(times[i])});
        rows_.push_back(row);
        PrintRow(row);
    }

    // Min, median and max of one frame copy over the batches.
    void CopyNoise(int w, int h, int bytesPerPixel = 3) {
        std::vector<unsigned char> a(static_cast<std::size_t>(w) * h * bytesPerPixel, 1), b(a.size());
        const std::function<void()> copy = [&] {
            std::memcpy(b.data(), a.data(), a.size());
            Clobber(b.data());
        };
        const int repeats = RepeatsFor(copy);
        std::vector<double> t;
        for (int i = 0; i < 3 * batches_; ++i) t.push_back(BatchMs(copy, repeats));
        std::sort(t.begin(), t.end());
        std::printf("frame copy %dx%d: min %.4f  median %.4f  max %.4f ms  (max/min %.2f)\n", w, h, t.front(),
                    Median(t), t.back(), t.back() / t.front());
    }

    void Header() const {
        std::printf("%-40s %-9s %9s  %-26s %s\n", "stage", "size", "ours ms", "peers ms (ours/peer)", "");
    }

    // The worst ratio against the fastest peer over every row.
    void Summary() const {
        double worst = 0.0;
        std::string where;
        for (const Row& r : rows_) {
            const double q = r.ours / Fastest(r);
            if (q > worst) {
                worst = q;
                where = r.stage + " " + r.size;
            }
        }
        std::printf("worst ours/fastest peer: %.2f (%s)\n", worst, where.c_str());
    }

    static void Clobber(void* p) { asm volatile("" : : "g"(p) : "memory"); }

private:
    struct PeerTime {
        std::string name;
        double ms;
    };
    struct Row {
        std::string stage, size;
        double ours;
        std::vector<PeerTime> peers;
        std::string note;
    };

    using Clock = std::chrono::steady_clock;

    static double Median(std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    }
    static double Fastest(const Row& r) {
        double best = r.peers.front().ms;
        for (const PeerTime& p : r.peers) best = std::min(best, p.ms);
        return best;
    }
    static double BatchMs(const std::function<void()>& run, int repeats) {
        const auto start = Clock::now();
        for (int i = 0; i < repeats; ++i) run();
        return std::chrono::duration<double, std::milli>(Clock::now() - start).count() / repeats;
    }
    // Enough calls for a batch of about 4 ms, after two warming calls.
    static int RepeatsFor(const std::function<void()>& run) {
        run();
        const double once = BatchMs(run, 1);
        return std::max(1, static_cast<int>(4.0 / std::max(once, 1e-4)));
    }
    static void PrintRow(const Row& r) {
        std::string peers;
        for (const PeerTime& p : r.peers) {
            char cell[96];
            std::snprintf(cell, sizeof cell, "%s %.3f (%.2f)  ", p.name.c_str(), p.ms, r.ours / p.ms);
            peers += cell;
        }
        std::printf("%-40s %-9s %9.3f  %s vs fastest %.2f%s%s\n", r.stage.c_str(), r.size.c_str(), r.ours,
                    peers.c_str(), r.ours / Fastest(r), r.note.empty() ? "" : "  | ", r.note.c_str());
        std::fflush(stdout);
    }

    int batches_;
    std::vector<Row> rows_;
};

}  // namespace vimbrel::bench
