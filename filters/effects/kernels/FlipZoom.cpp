#include "kernels/FlipZoom.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "kernels/PixelRows.h"
#include "kernels/ZoomRows.h"
#include "simd/SimdLevel.h"

namespace vimbrel::effects {
namespace {

int ClampIndex(int v, int size) { return v < 0 ? 0 : (v >= size ? size - 1 : v); }

// Where each output column (or row) samples the source, with the flips folded
// in: flipped coordinates count from the far end and their interpolation
// neighbour lies one step further toward the near end.
struct Tap {
    int index;
    int next;
    float fraction;
    bool exact;  // the output lands on a source pixel
};

std::vector<Tap> LinearTaps(int outCount, int size, int origin, float scale, float factor, bool flipped) {
    std::vector<Tap> taps(static_cast<std::size_t>(outCount));
    for (int k = 0; k < outCount; ++k) {
        const float pos = static_cast<float>(k) * scale;
        const int whole = static_cast<int>(pos);
        Tap& t = taps[static_cast<std::size_t>(k)];
        t.fraction = pos - static_cast<float>(whole);
        t.exact = static_cast<float>(k) == static_cast<float>(whole) * factor;
        const int index = flipped ? size - 1 - origin - whole : origin + whole;
        t.index = ClampIndex(index, size);
        t.next = ClampIndex(flipped ? index - 1 : index + 1, size);
    }
    return taps;
}

// Where every output pixel of a nearest or bilinear zoom samples the source.
struct LinearPlan {
    std::vector<Tap> cols;
    std::vector<Tap> rows;
};

LinearPlan PlanLinearZoom(const RgbFrame& frame, float factor, bool flipVertical, bool mirror) {
    const ZoomCrop crop = ComputeZoomCrop(frame.width, frame.height, factor);
    const float f = UsableZoomFactor(factor);
    return LinearPlan{LinearTaps(frame.width, frame.width, crop.x0, crop.scale, f, mirror),
                      LinearTaps(frame.height, frame.height, crop.y0, crop.scale, f, flipVertical)};
}

struct CubicTaps {
    int first;  // the first tap before clamping to the frame
    int index[4];
    float weight[4];
};

// Source positions and weights for one output coordinate of the bicubic zoom.
// Rows weigh by k(fraction - offset), columns by k(offset - fraction).
CubicTaps CubicTapsAt(int out, int size, int origin, float scale, bool column) {
    const float pos = static_cast<float>(origin + out) * scale;
    const int base = static_cast<int>((1.0f - scale) * static_cast<float>(origin)) + static_cast<int>(pos);
    const float fraction = pos - std::trunc(pos);
    CubicTaps t;
    t.first = base - 1;
    for (int m = -1; m <= 2; ++m) {
        t.index[m + 1] = ClampIndex(base + m, size);
        const double t0 = column ? m - static_cast<double>(fraction) : static_cast<double>(fraction) - m;
        t.weight[m + 1] = static_cast<float>(CubicWeight(t0));
    }
    return t;
}

// The two source rows an output row of the bilinear zoom blends, weighed for
// every output column. Output rows walk the source rows in order (backwards
// when flipped) and neighbouring output rows share source rows, so keeping
// the last two weighed rows weighs each source row once per frame. `Weigh`
// fills a Slot for a source row.
template <class Slot, class Weigh>
class CWeighedRows {
public:
    CWeighedRows(const Slot& blank, Weigh weigh) : slots_{blank, blank}, weigh_(weigh) {}

    // Source row `row` weighed, without giving up the slot that holds `keep`.
    const Slot& Get(int row, int keep) {
        for (int i = 0; i < 2; ++i) {
            if (rows_[i] == row) {
                lastUsed_ = i;
                return slots_[i];
            }
        }
        const int victim = rows_[0] == keep ? 1 : (rows_[1] == keep ? 0 : 1 - lastUsed_);
        weigh_(row, slots_[victim]);
        rows_[victim] = row;
        lastUsed_ = victim;
        return slots_[victim];
    }

private:
    Slot slots_[2];
    int rows_[2] = {-1, -1};
    Weigh weigh_;
    int lastUsed_ = 0;
};

struct FloatSlot {
    std::vector<float> pixel;
    std::vector<float> neighbour;
};

// The bits every weight of the zoom needs as a multiple of 1 / 2^bits (see
// FixedLinearPlan), or -1 when the float rows must do.
int FixedLinearBitsOf(const std::vector<LinearColumn>& columns, const std::vector<Tap>& rows) {
    int bits = 0;
    const auto take = [&](float weight) {
        const int b = FixedWeightBits(weight);
        bits = (b < 0 || bits < 0) ? -1 : std::max(bits, b);
    };
    for (const LinearColumn& c : columns) {
        take(c.weight);
        take(c.neighbourWeight);
    }
    for (const Tap& t : rows) {
        if (!t.exact) take(t.fraction);
    }
    return bits;
}

// The bilinear zoom in integers, for weights FixedLinearBitsOf accepts.
void ZoomBilinearFixed(const RgbFrame& frame, const LinearPlan& plan, const std::vector<LinearColumn>& columns,
                       const CFrameCopy& source, int bits) {
    const int w = frame.width;
    FixedLinearPlan fixed;
    PlanFixedLinear(columns.data(), w, 3 * w, bits, fixed);
    const auto weigh = [&](int row, std::vector<uint16_t>& into) {
        WeighFixedRow(source.Row(row), columns.data(), w, fixed, into.data());
    };
    // The vector weighing writes whole 16-channel blocks, within 3 w.
    CWeighedRows<std::vector<uint16_t>, decltype(weigh)> weighed(std::vector<uint16_t>(3 * static_cast<std::size_t>(w)),
                                                                 weigh);
    const int one = 1 << bits;
    for (int r = 0; r < frame.height; ++r) {
        const Tap& ty = plan.rows[static_cast<std::size_t>(r)];
        const uint16_t* here = weighed.Get(ty.index, ty.next).data();
        if (ty.exact) {
            BlendFixedRows(here, here, one, 0, bits, 3 * w, frame.Row(r));
        } else {
            const int next = static_cast<int>(ty.fraction * static_cast<float>(one));
            BlendFixedRows(here, weighed.Get(ty.next, ty.index).data(), one - next, next, bits, 3 * w, frame.Row(r));
        }
    }
}

}  // namespace

float UsableZoomFactor(float factor) { return (std::isfinite(factor) && factor >= 1.0f) ? factor : 1.0f; }

ZoomCrop ComputeZoomCrop(int width, int height, float factor) {
    ZoomCrop c;
    c.scale = 1.0f / UsableZoomFactor(factor);
    c.width = std::clamp(static_cast<int>(static_cast<float>(width) * c.scale), 1, std::max(width, 1));
    c.height = std::clamp(static_cast<int>(static_cast<float>(height) * c.scale), 1, std::max(height, 1));
    c.x0 = (width - c.width) / 2;
    c.y0 = (height - c.height) / 2;
    return c;
}

double CubicWeight(double t) {
    if (t > 2.0) {
        return 0.0;
    }
    auto cube = [](double u) { return u > 0.0 ? u * u * u : 0.0; };
    return 0.167 * (cube(t + 2.0) - 4.0 * cube(t + 1.0) + 6.0 * cube(t) - 4.0 * cube(t - 1.0));
}

PixelArea ZoomSourceArea(const RgbFrame& frame, int method, float factor, bool flipVertical, bool mirror) {
    if (frame.Empty() || method < 0 || method > 2) {
        return PixelArea{0, 0, frame.width, frame.height};
    }
    int x0 = frame.width, x1 = 0, y0 = frame.height, y1 = 0;
    const auto take = [](int& low, int& high, int v) {
        low = std::min(low, v);
        high = std::max(high, v);
    };
    if (method == 2) {
        const ZoomCrop crop = ComputeZoomCrop(frame.width, frame.height, factor);
        for (int k = 0; k < frame.width; ++k) {
            const CubicTaps t = CubicTapsAt(k, frame.width, crop.x0, crop.scale, true);
            for (int index : t.index) take(x0, x1, index);
        }
        for (int r = 0; r < frame.height; ++r) {
            const CubicTaps t = CubicTapsAt(r, frame.height, crop.y0, crop.scale, false);
            for (int index : t.index) take(y0, y1, index);
        }
    } else {
        const LinearPlan plan = PlanLinearZoom(frame, factor, flipVertical, mirror);
        for (const Tap& t : plan.cols) {
            take(x0, x1, t.index);
            take(x0, x1, t.next);
        }
        for (const Tap& t : plan.rows) {
            take(y0, y1, t.index);
            take(y0, y1, t.next);
        }
    }
    return PixelArea{x0, y0, x1 - x0 + 1, y1 - y0 + 1};
}

void FlipFrame(const RgbFrame& frame, bool flipVertical, bool mirror) {
    const int w = frame.width, h = frame.height;
    if (frame.Empty()) {
        return;
    }
    if (flipVertical && mirror) {
        // A half turn: row r and its partner exchange places, each reversed.
        for (int r = 0, s = h - 1; r < s; ++r, --s) {
            ReverseSwapRows(frame.Row(r), frame.Row(s), w);
        }
        if (h % 2 == 1) {
            ReverseRow(frame.Row(h / 2), w);
        }
    } else if (flipVertical) {
        std::vector<uint8_t> spare(static_cast<std::size_t>(w) * 3);
        for (int r = 0, s = h - 1; r < s; ++r, --s) {
            std::memcpy(spare.data(), frame.Row(r), spare.size());
            std::memcpy(frame.Row(r), frame.Row(s), spare.size());
            std::memcpy(frame.Row(s), spare.data(), spare.size());
        }
    } else if (mirror) {
        ReverseRows(frame.Row(0), frame.stride, h, w);
    }
}

void ZoomBilinear(const RgbFrame& frame, float factor, bool flipVertical, bool mirror, CScratch& scratch) {
    if (frame.Empty()) {
        return;
    }
    const int w = frame.width;
    const LinearPlan plan = PlanLinearZoom(frame, factor, flipVertical, mirror);
    // Where an output pixel lands exactly on a source column or row, the
    // plain zoom copies or blends one way only. Weights 1 and 0 give the
    // same floats through the four-pixel blend (x times 1 is x, and a
    // product with 0 adds +0 to a sum that is never negative), so every
    // pixel takes the one blend and no pixel branches.
    std::vector<LinearColumn> columns(static_cast<std::size_t>(w));
    for (int k = 0; k < w; ++k) {
        const Tap& t = plan.cols[static_cast<std::size_t>(k)];
        columns[static_cast<std::size_t>(k)] = LinearColumn{3 * t.index, 3 * t.next, t.exact ? 1.0f : 1.0f - t.fraction,
                                                            t.exact ? 0.0f : t.fraction};
    }
    int firstRow = frame.height, lastRow = 0;
    for (const Tap& t : plan.rows) {
        firstRow = std::min({firstRow, t.index, t.next});
        lastRow = std::max({lastRow, t.index, t.next});
    }
    int firstColumn = w, lastColumn = 0;
    for (const Tap& t : plan.cols) {
        firstColumn = std::min({firstColumn, t.index, t.next});
        lastColumn = std::max({lastColumn, t.index, t.next});
    }
    const CFrameCopy source(frame, scratch, 0,
                            PixelArea{firstColumn, firstRow, lastColumn - firstColumn + 1, lastRow - firstRow + 1});
    const int bits = FixedLinearBitsOf(columns, plan.rows);
    if (bits >= 0 && simd::ActiveSimdLevel() >= simd::SimdLevel::kAvx2) {
        ZoomBilinearFixed(frame, plan, columns, source, bits);
        return;
    }
    // Strips of columns, so that the two weighed rows, the plan and the rows
    // blended stay in the first-level cache; the strips start on whole
    // 16-channel blocks.
    constexpr int kStrip = 256;
    for (int first = 0; first < w; first += kStrip) {
        const int count = std::min(kStrip, w - first);
        std::vector<LinearBlock> blocks;
        PlanLinearBlocks(columns.data() + first, count, 3 * w, blocks);
        const auto weigh = [&](int row, FloatSlot& into) {
            WeighLinearRow(source.Row(row), 3 * w, columns.data() + first, count, blocks, into.pixel.data(),
                           into.neighbour.data());
        };
        // One float of room past the last column, which the weighing writes.
        const std::vector<float> blank(static_cast<std::size_t>(count) * 3 + 1);
        CWeighedRows<FloatSlot, decltype(weigh)> weighed(FloatSlot{blank, blank}, weigh);
        for (int r = 0; r < frame.height; ++r) {
            const Tap& ty = plan.rows[static_cast<std::size_t>(r)];
            const FloatSlot& here = weighed.Get(ty.index, ty.next);
            const WeighedRow a{here.pixel.data(), here.neighbour.data()};
            uint8_t* out = frame.Row(r) + 3 * first;
            if (ty.exact) {
                BlendLinearRows(a, a, 1.0f, 0.0f, 3 * count, out);
            } else {
                const FloatSlot& next = weighed.Get(ty.next, ty.index);
                BlendLinearRows(a, WeighedRow{next.pixel.data(), next.neighbour.data()}, 1.0f - ty.fraction,
                                ty.fraction, 3 * count, out);
            }
        }
    }
}

void ZoomBicubic(const RgbFrame& frame, float factor, bool flipVertical, bool mirror, CScratch& scratch) {
    if (frame.Empty()) {
        return;
    }
    const int w = frame.width, h = frame.height;
    const ZoomCrop crop = ComputeZoomCrop(w, h, factor);
    // The blended row spans the columns the taps name before clamping, the
    // edge pixel repeated where they leave the frame: it is the value the
    // clamped tap would read, and every output pixel then reads four
    // neighbours in a row. Columns come in the order they are written, so a
    // mirrored row is written from its start too.
    std::vector<CubicTaps> taps(static_cast<std::size_t>(w));
    int spanFirst = 0, spanLast = 0;
    for (int j = 0; j < w; ++j) {
        const CubicTaps& t = taps[static_cast<std::size_t>(j)] = CubicTapsAt(mirror ? w - 1 - j : j, w, crop.x0,
                                                                             crop.scale, true);
        spanFirst = j == 0 ? t.first : std::min(spanFirst, t.first);
        spanLast = j == 0 ? t.first + 3 : std::max(spanLast, t.first + 3);
    }
    std::vector<CubicColumn> columns(static_cast<std::size_t>(w));
    for (int j = 0; j < w; ++j) {
        const CubicTaps& t = taps[static_cast<std::size_t>(j)];
        CubicColumn& column = columns[static_cast<std::size_t>(j)];
        column.offset = 3 * (t.first - spanFirst);
        std::copy(t.weight, t.weight + 4, column.weight);
    }
    // Taps start inside the frame for every usable factor; kept so by
    // construction, the frame columns blended below always lie in the span.
    spanFirst = std::min(spanFirst, w - 1);
    spanLast = std::max(spanLast, 0);
    const int first = ClampIndex(spanFirst, w), last = ClampIndex(spanLast, w);
    std::vector<CubicTaps> rowTaps(static_cast<std::size_t>(h));
    int firstRow = h, lastRow = 0;
    for (int r = 0; r < h; ++r) {
        const CubicTaps& t = rowTaps[static_cast<std::size_t>(r)] = CubicTapsAt(r, h, crop.y0, crop.scale, false);
        firstRow = std::min(firstRow, *std::min_element(t.index, t.index + 4));
        lastRow = std::max(lastRow, *std::max_element(t.index, t.index + 4));
    }
    const CFrameCopy source(frame, scratch, 0, PixelArea{first, firstRow, last - first + 1, lastRow - firstRow + 1});
    // Each output row first blends its four source rows over the columns it
    // reaches, then every output pixel blends four of those. One float of
    // room past the span, zero and finite, for the four-float reads.
    const int spanPixels = spanLast - spanFirst + 1;
    std::vector<float> blended(static_cast<std::size_t>(spanPixels) * 3 + 1);
    float* const span = blended.data();
    for (int r = 0; r < h; ++r) {
        const CubicTaps& ty = rowTaps[static_cast<std::size_t>(r)];
        const uint8_t* src[4];
        for (int m = 0; m < 4; ++m) {
            src[m] = source.Row(ty.index[m]) + 3 * first;
        }
        BlendCubicRows(src, ty.weight, 3 * (last - first + 1), span + 3 * (first - spanFirst));
        for (int v = spanFirst; v < first; ++v) {
            std::copy(span + 3 * (first - spanFirst), span + 3 * (first - spanFirst) + 3, span + 3 * (v - spanFirst));
        }
        for (int v = last + 1; v <= spanLast; ++v) {
            std::copy(span + 3 * (last - spanFirst), span + 3 * (last - spanFirst) + 3, span + 3 * (v - spanFirst));
        }
        BlendCubicColumns(span, columns.data(), w, frame.Row(flipVertical ? h - 1 - r : r));
    }
}

// The plain versions: one pixel and channel at a time, as first written.

void ZoomNearestPlain(const RgbFrame& frame, float factor, bool flipVertical, bool mirror, CScratch& scratch) {
    if (frame.Empty()) {
        return;
    }
    const LinearPlan plan = PlanLinearZoom(frame, factor, flipVertical, mirror);
    const CFrameCopy source(frame, scratch, 0);
    for (int r = 0; r < frame.height; ++r) {
        const uint8_t* src = source.Row(plan.rows[static_cast<std::size_t>(r)].index);
        uint8_t* out = frame.Row(r);
        for (int k = 0; k < frame.width; ++k) {
            std::memcpy(out + 3 * k, src + 3 * plan.cols[static_cast<std::size_t>(k)].index, 3);
        }
    }
}

void ZoomBilinearPlain(const RgbFrame& frame, float factor, bool flipVertical, bool mirror, CScratch& scratch) {
    if (frame.Empty()) {
        return;
    }
    const LinearPlan plan = PlanLinearZoom(frame, factor, flipVertical, mirror);
    const CFrameCopy source(frame, scratch, 0);
    for (int r = 0; r < frame.height; ++r) {
        const Tap& ty = plan.rows[static_cast<std::size_t>(r)];
        const uint8_t* row0 = source.Row(ty.index);
        const uint8_t* row1 = source.Row(ty.next);
        const float fy = ty.fraction;
        uint8_t* out = frame.Row(r);
        for (int k = 0; k < frame.width; ++k) {
            const Tap& tx = plan.cols[static_cast<std::size_t>(k)];
            const uint8_t* p00 = row0 + 3 * tx.index;
            const uint8_t* p10 = row0 + 3 * tx.next;
            const uint8_t* p01 = row1 + 3 * tx.index;
            const uint8_t* p11 = row1 + 3 * tx.next;
            const float fx = tx.fraction;
            uint8_t* o = out + 3 * k;
            for (int c = 0; c < 3; ++c) {
                float v;
                if (tx.exact && ty.exact) {
                    v = p00[c];
                } else if (ty.exact) {
                    v = p00[c] * (1.0f - fx) + p10[c] * fx;
                } else if (tx.exact) {
                    v = p00[c] * (1.0f - fy) + p01[c] * fy;
                } else {
                    v = p00[c] * (1.0f - fx) * (1.0f - fy) + p10[c] * fx * (1.0f - fy) + p01[c] * (1.0f - fx) * fy +
                        p11[c] * fx * fy;
                }
                o[c] = ClampByte(static_cast<int>(v));
            }
        }
    }
}

void ZoomBicubicPlain(const RgbFrame& frame, float factor, bool flipVertical, bool mirror, CScratch& scratch) {
    if (frame.Empty()) {
        return;
    }
    const int w = frame.width, h = frame.height;
    const ZoomCrop crop = ComputeZoomCrop(w, h, factor);
    std::vector<CubicTaps> cols(static_cast<std::size_t>(w));
    int first = w - 1, last = 0;
    for (int k = 0; k < w; ++k) {
        cols[static_cast<std::size_t>(k)] = CubicTapsAt(k, w, crop.x0, crop.scale, true);
        first = std::min(first, cols[static_cast<std::size_t>(k)].index[0]);
        last = std::max(last, cols[static_cast<std::size_t>(k)].index[3]);
    }
    const CFrameCopy source(frame, scratch, 0);
    // Separable: each output row first blends its four source rows over the
    // columns it reaches, then every output pixel blends four of those.
    std::vector<float> blended(static_cast<std::size_t>(w) * 3);
    for (int r = 0; r < h; ++r) {
        const CubicTaps ty = CubicTapsAt(r, h, crop.y0, crop.scale, false);
        const uint8_t* src[4];
        for (int m = 0; m < 4; ++m) {
            src[m] = source.Row(ty.index[m]);
        }
        for (int i = first * 3; i < (last + 1) * 3; ++i) {
            blended[static_cast<std::size_t>(i)] = src[0][i] * ty.weight[0] + src[1][i] * ty.weight[1] +
                                                   src[2][i] * ty.weight[2] + src[3][i] * ty.weight[3];
        }
        uint8_t* out = frame.Row(flipVertical ? h - 1 - r : r);
        for (int k = 0; k < w; ++k) {
            const CubicTaps& tx = cols[static_cast<std::size_t>(k)];
            uint8_t* o = out + 3 * (mirror ? w - 1 - k : k);
            const float* b[4];
            for (int n = 0; n < 4; ++n) {
                b[n] = blended.data() + static_cast<std::size_t>(tx.index[n]) * 3;
            }
            for (int c = 0; c < 3; ++c) {
                const float v = b[0][c] * tx.weight[0] + b[1][c] * tx.weight[1] + b[2][c] * tx.weight[2] +
                                b[3][c] * tx.weight[3];
                o[c] = ClampByte(v >= 256.0f ? 256 : static_cast<int>(v));
            }
        }
    }
}

void ZoomBicubicReference(const RgbFrame& frame, float factor, bool flipVertical, bool mirror, CScratch& scratch) {
    if (frame.Empty()) {
        return;
    }
    const int w = frame.width, h = frame.height;
    const ZoomCrop crop = ComputeZoomCrop(w, h, factor);
    const float s = crop.scale;
    const CFrameCopy source(frame, scratch, 0);
    for (int r = 0; r < h; ++r) {
        const float ys = static_cast<float>(crop.y0 + r) * s;
        const int row = static_cast<int>((1.0f - s) * static_cast<float>(crop.y0)) + static_cast<int>(ys);
        const double fy = ys - std::trunc(ys);
        for (int k = 0; k < w; ++k) {
            const float xs = static_cast<float>(crop.x0 + k) * s;
            const int col = static_cast<int>((1.0f - s) * static_cast<float>(crop.x0)) + static_cast<int>(xs);
            const double fx = xs - std::trunc(xs);
            double sum[3] = {0, 0, 0};
            for (int m = -1; m <= 2; ++m) {
                for (int n = -1; n <= 2; ++n) {
                    const uint8_t* p = source.Pixel(ClampIndex(col + n, w), ClampIndex(row + m, h));
                    const double weight = CubicWeight(fy - m) * CubicWeight(n - fx);
                    for (int c = 0; c < 3; ++c) {
                        sum[c] += p[c] * weight;
                    }
                }
            }
            uint8_t* o = frame.Row(flipVertical ? h - 1 - r : r) + 3 * (mirror ? w - 1 - k : k);
            for (int c = 0; c < 3; ++c) {
                o[c] = ClampByte(sum[c] >= 256.0 ? 256 : static_cast<int>(sum[c]));
            }
        }
    }
}

}  // namespace vimbrel::effects
