#include "RegionLabeller.h"

#include <algorithm>
#include <utility>

namespace motion {

namespace {

MotionRegion* RegionOf(RegionList& regions, std::uint32_t label) {
    return label != 0 && label <= regions.Count() ? &regions[label - 1] : nullptr;
}

void Unite(MotionRegion& into, const MotionRegion& other) {
    into.left = std::min(into.left, other.left);
    into.top = std::min(into.top, other.top);
    into.right = std::max(into.right, other.right);
    into.bottom = std::max(into.bottom, other.bottom);
}

inline bool Within(std::int64_t v, std::int64_t lo, std::int64_t hi) { return v >= lo && v <= hi; }

// One end of either run inside the other's span widened by one column. Ends
// are exclusive, so this also joins runs with a one-column gap between them.
bool Touch(const RowRun& cur, const RowRun& prev) {
    const std::int64_t pLo = std::max<std::int64_t>(std::int64_t(prev.start) - 1, 0);
    const std::int64_t pHi = std::int64_t(prev.end) + 1;
    const std::int64_t cLo = std::max<std::int64_t>(std::int64_t(cur.start) - 1, 0);
    const std::int64_t cHi = std::int64_t(cur.end) + 1;
    return Within(cur.end, pLo, pHi) || Within(cur.start, pLo, pHi) || Within(prev.end, cLo, cHi) ||
           Within(prev.start, cLo, cHi);
}

void CollectRuns(const std::uint8_t* row, std::uint32_t w, std::uint32_t y, RunList& runs) {
    std::uint32_t x = 0;
    while (x < w) {
        if (!row[x]) {
            ++x;
            continue;
        }
        const std::uint32_t start = x;
        while (x < w && row[x]) ++x;
        runs.Append(RowRun{y, 0, start, x});
    }
}

// Attaches the runs of one row to the regions of the previous row.
void LinkRow(RunList& prev, RunList& cur, RegionList& regions) {
    std::size_t p = 0, c = 0;
    while (c < cur.Count()) {
        RowRun& run = cur[c];
        if (p < prev.Count()) {
            const RowRun& above = prev[p];
            // Label 0 above only happens when the region list could not grow.
            if (above.label != 0 && Touch(run, above)) {
                if (run.label != 0 && run.label != above.label) {
                    MotionRegion* a = RegionOf(regions, run.label);
                    MotionRegion* b = RegionOf(regions, above.label);
                    if (a && b) {
                        MotionRegion& keep = run.label < above.label ? *a : *b;
                        MotionRegion& drop = run.label < above.label ? *b : *a;
                        Unite(keep, drop);
                        drop.merged = 1;
                    }
                    if (run.label > above.label) run.label = above.label;
                } else if (MotionRegion* region = RegionOf(regions, above.label)) {
                    run.label = above.label;
                    region->left = std::min(region->left, run.start);
                    region->right = std::max(region->right, run.end);
                    region->bottom = std::max(region->bottom, run.row);
                }
            }
            const bool lastRun = c + 1 == cur.Count();
            if (!(run.end < above.end && !lastRun)) {
                ++p;
                continue;
            }
        }
        if (run.label == 0) {
            const auto label = static_cast<std::uint32_t>(regions.Count() + 1);
            if (regions.Append(MotionRegion{run.start, run.end, run.row, run.row, label, 0})) run.label = label;
        }
        ++c;
    }
}

}  // namespace

void xLabelRegions(const std::uint8_t* plane, std::uint32_t w, std::uint32_t h, RegionList& regions, RunList& runsA,
                   RunList& runsB) {
    regions.Clear();
    runsA.Clear();
    runsB.Clear();
    RunList* prev = &runsA;
    RunList* cur = &runsB;
    for (std::uint32_t y = 0; y < h; ++y) {
        CollectRuns(plane + static_cast<std::size_t>(y) * w, w, y, *cur);
        LinkRow(*prev, *cur, regions);
        std::swap(prev, cur);
        cur->Clear();
    }
}

bool xDropSmallRegions(RegionList& regions) {
    bool found = false;
    for (MotionRegion& r : regions) {
        if (r.merged) continue;
        const std::int64_t area = (std::int64_t(r.right) - r.left) * (std::int64_t(r.bottom) - r.top);
        if (area < 16)
            r.merged = 1;
        else
            found = true;
    }
    return found;
}

bool xCheckDiff(const std::uint8_t* plane, std::uint32_t w, std::uint32_t h, std::uint32_t coveragePercent,
                MotionRect& rect) {
    std::int64_t left = w, right = 0;
    std::uint64_t count = 0;
    std::size_t first = 0, last = 0;
    for (std::uint32_t y = 0; y < h; ++y) {
        const std::uint8_t* row = plane + static_cast<std::size_t>(y) * w;
        for (std::int64_t x = 0; x < left; ++x) {
            if (row[x]) {
                left = x;
                break;
            }
        }
        if (left < w) {
            for (std::int64_t x = std::int64_t(w) - 1; x > right; --x) {
                if (row[x]) {
                    right = x;
                    break;
                }
            }
        }
        for (std::uint32_t x = 0; x < w; ++x) {
            if (!row[x]) continue;
            const std::size_t index = static_cast<std::size_t>(y) * w + x;
            if (count == 0) first = index;
            last = index;
            ++count;
        }
    }
    std::int64_t top = 0, bottom = 0;
    if (count) {
        top = static_cast<std::int64_t>(first / w);
        bottom = static_cast<std::int64_t>((last + 1) / w);
    }
    rect.left = static_cast<std::int32_t>(left);
    rect.top = static_cast<std::int32_t>(top);
    rect.right = static_cast<std::int32_t>(right);
    rect.bottom = static_cast<std::int32_t>(bottom);
    std::int64_t area = (right - left + 1) * (bottom - top);
    if (area <= 0) area = 1;
    return count >= 5 && count * 100 / static_cast<std::uint64_t>(area) >= coveragePercent;
}

namespace {

bool EndsInside(const MotionRegion& a, const MotionRegion& b) {
    const bool x = (b.left >= a.left && b.left <= a.right) || (b.right >= a.left && b.right <= a.right);
    const bool y = (b.top >= a.top && b.top <= a.bottom) || (b.bottom >= a.top && b.bottom <= a.bottom);
    return x && y;
}

}  // namespace

void xMergeRects(RegionList& regions) {
    bool mergedSome = true;
    for (int pass = 0; pass < 7 && mergedSome; ++pass) {
        mergedSome = false;
        for (std::size_t i = 0; i < regions.Count(); ++i) {
            MotionRegion& a = regions[i];
            if (a.merged) continue;
            for (std::size_t j = i + 1; j < regions.Count(); ++j) {
                MotionRegion& b = regions[j];
                if (b.merged) continue;
                if (EndsInside(a, b) || EndsInside(b, a)) {
                    Unite(a, b);
                    b.merged = 1;
                    mergedSome = true;
                }
            }
        }
    }
}

}  // namespace motion
