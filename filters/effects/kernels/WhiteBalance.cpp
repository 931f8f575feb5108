#include "kernels/WhiteBalance.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace vimbrel::effects {
namespace {

struct SrgbTable {
    double value[256];
    SrgbTable() {
        for (int i = 0; i < 256; ++i) {
            const double c = i / 255.0;
            const double linear = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
            value[i] = std::round(linear * 100000.0) / 100000.0;
        }
    }
};

struct ChannelMeans {
    double mean[3] = {0, 0, 0};  // red, green, blue
    uint64_t count = 0;
};

// The XYZ weights folded into the linearising table: X = xr[R] + xg[G] + xb[B]
// gives the same doubles as 0.4124 R + 0.3576 G + 0.1805 B.
struct XyzTables {
    double x[3][256], y[3][256], z[3][256];  // [red, green, blue][value]
    XyzTables() {
        const double* lin = SrgbLinearTable();
        static const double kX[3] = {0.4124, 0.3576, 0.1805};
        static const double kY[3] = {0.2126, 0.7152, 0.0722};
        static const double kZ[3] = {0.0193, 0.1192, 0.9505};
        for (int c = 0; c < 3; ++c) {
            for (int i = 0; i < 256; ++i) {
                x[c][i] = kX[c] * lin[i];
                y[c][i] = kY[c] * lin[i];
                z[c][i] = kZ[c] * lin[i];
            }
        }
    }
};

const XyzTables& Xyz() {
    static const XyzTables tables;
    return tables;
}

struct Xyz3 {
    float x, y, z;
};

inline Xyz3 XyzOf(const XyzTables& t, const uint8_t* bgr) {
    return Xyz3{static_cast<float>(t.x[kRed][bgr[2]] + t.x[kGreen][bgr[1]] + t.x[kBlue][bgr[0]]),
                static_cast<float>(t.y[kRed][bgr[2]] + t.y[kGreen][bgr[1]] + t.y[kBlue][bgr[0]]),
                static_cast<float>(t.z[kRed][bgr[2]] + t.z[kGreen][bgr[1]] + t.z[kBlue][bgr[0]])};
}

struct CandidateSums {
    double x = 0, y = 0, z = 0;
    uint64_t rgb[3] = {0, 0, 0};
    uint64_t count = 0;

    void Add(const Xyz3& v, const uint8_t* bgr) {
        x += v.x;
        y += v.y;
        z += v.z;
        rgb[kRed] += bgr[2];
        rgb[kGreen] += bgr[1];
        rgb[kBlue] += bgr[0];
        ++count;
    }
};

ChannelMeans MeansOf(const uint64_t sum[3], uint64_t count) {
    ChannelMeans m;
    m.count = count;
    if (count != 0) {
        for (int c = 0; c < 3; ++c) {
            m.mean[c] = static_cast<double>(sum[c]) / static_cast<double>(count);
        }
    }
    return m;
}

ChannelMeans MeanOfAllPixels(const RgbFrame& frame) {
    uint64_t sum[3] = {0, 0, 0};
    for (int r = 0; r < frame.height; ++r) {
        const uint8_t* p = frame.Row(r);
        for (int k = 0; k < frame.width; ++k, p += 3) {
            sum[kBlue] += p[0];
            sum[kGreen] += p[1];
            sum[kRed] += p[2];
        }
    }
    return MeansOf(sum, static_cast<uint64_t>(frame.width) * frame.height);
}

// One white candidate: its XYZ as the analysis compares it, and its colour
// (blue, green, red from the low byte up).
struct Candidate {
    float x, y, z;
    uint32_t bgr;
};

struct XyzSums {
    double x = 0, y = 0, z = 0;
    void Add(float vx, float vy, float vz) {
        x += vx;
        y += vy;
        z += vz;
    }
};

// Mean colour of the white candidates: bright pixels, less those far brighter
// than the current candidates' mean in X, Y or Z (highlights, light sources),
// dropped round after round until a round drops none. The candidates are kept
// packed in frame order, so each round walks only the survivors and adds up
// their XYZ in the same order as a walk over the frame would (those sums are
// doubles, whose rounding depends on the order). The colour sums are whole
// numbers and needed only for the survivors, so they are taken once at the end.
ChannelMeans MeanOfWhiteCandidates(const RgbFrame& frame, CScratch& scratch) {
    const XyzTables& t = Xyz();
    const std::size_t n = static_cast<std::size_t>(frame.width) * frame.height;
    float* luminance = reinterpret_cast<float*>(scratch.Bytes(1, n * sizeof(float)));
    Candidate* candidates = reinterpret_cast<Candidate*>(scratch.Bytes(0, n * sizeof(Candidate)));
    auto luminanceOf = [&t](const uint8_t* p) {
        return static_cast<float>(t.y[kRed][p[2]] + t.y[kGreen][p[1]] + t.y[kBlue][p[0]]);
    };
    float minY = luminanceOf(frame.Row(0)), maxY = minY;
    std::size_t i = 0;
    for (int r = 0; r < frame.height; ++r) {
        const uint8_t* p = frame.Row(r);
        for (int k = 0; k < frame.width; ++k, p += 3, ++i) {
            const float y = luminanceOf(p);
            luminance[i] = y;
            minY = std::min(minY, y);
            maxY = std::max(maxY, y);
        }
    }
    const float threshold = minY + 0.05f * (maxY - minY);
    XyzSums sums;
    std::size_t count = 0;
    i = 0;
    for (int r = 0; r < frame.height; ++r) {
        const uint8_t* p = frame.Row(r);
        for (int k = 0; k < frame.width; ++k, p += 3, ++i) {
            const float y = luminance[i];
            if (y < threshold) continue;
            const float x = static_cast<float>(t.x[kRed][p[2]] + t.x[kGreen][p[1]] + t.x[kBlue][p[0]]);
            const float z = static_cast<float>(t.z[kRed][p[2]] + t.z[kGreen][p[1]] + t.z[kBlue][p[0]]);
            candidates[count++] = Candidate{x, y, z, p[0] | (p[1] << 8) | (static_cast<uint32_t>(p[2]) << 16)};
            sums.Add(x, y, z);
        }
    }
    while (count != 0) {
        const double n3 = static_cast<double>(count);
        const double limitX = 3.0 * sums.x / n3, limitY = 3.0 * sums.y / n3, limitZ = 3.0 * sums.z / n3;
        XyzSums kept;
        std::size_t keptCount = 0;
        for (std::size_t c = 0; c < count; ++c) {
            const Candidate e = candidates[c];
            if (e.x >= limitX || e.y >= limitY || e.z >= limitZ) continue;
            if (keptCount != c) candidates[keptCount] = e;
            ++keptCount;
            kept.Add(e.x, e.y, e.z);
        }
        const bool dropped = keptCount != count;
        sums = kept;
        count = keptCount;
        if (!dropped) break;
    }
    uint64_t colour[3] = {0, 0, 0};
    for (std::size_t c = 0; c < count; ++c) {
        const uint32_t bgr = candidates[c].bgr;
        colour[kBlue] += bgr & 0xFF;
        colour[kGreen] += (bgr >> 8) & 0xFF;
        colour[kRed] += bgr >> 16;
    }
    return MeansOf(colour, count);
}

// The candidates as first written: a mask over the frame, walked whole every
// round with XYZ recomputed per pixel. What the packed version must match.
ChannelMeans MeanOfWhiteCandidatesReference(const RgbFrame& frame, CScratch& scratch) {
    const XyzTables& t = Xyz();
    const std::size_t n = static_cast<std::size_t>(frame.width) * frame.height;
    uint8_t* mask = scratch.Bytes(0, n);
    float minY = 0.0f, maxY = 0.0f;
    bool first = true;
    for (int r = 0; r < frame.height; ++r) {
        const uint8_t* p = frame.Row(r);
        for (int k = 0; k < frame.width; ++k, p += 3) {
            const float y = XyzOf(t, p).y;
            if (first || y < minY) minY = y;
            if (first || y > maxY) maxY = y;
            first = false;
        }
    }
    const float threshold = minY + 0.05f * (maxY - minY);
    CandidateSums sums;
    std::size_t i = 0;
    for (int r = 0; r < frame.height; ++r) {
        const uint8_t* p = frame.Row(r);
        for (int k = 0; k < frame.width; ++k, p += 3, ++i) {
            const Xyz3 v = XyzOf(t, p);
            mask[i] = v.y >= threshold ? 1 : 0;
            if (mask[i]) sums.Add(v, p);
        }
    }
    while (sums.count != 0) {
        const double n3 = static_cast<double>(sums.count);
        const double limitX = 3.0 * sums.x / n3, limitY = 3.0 * sums.y / n3, limitZ = 3.0 * sums.z / n3;
        CandidateSums kept;
        bool dropped = false;
        i = 0;
        for (int r = 0; r < frame.height; ++r) {
            const uint8_t* p = frame.Row(r);
            for (int k = 0; k < frame.width; ++k, p += 3, ++i) {
                if (!mask[i]) continue;
                const Xyz3 v = XyzOf(t, p);
                if (v.x >= limitX || v.y >= limitY || v.z >= limitZ) {
                    mask[i] = 0;
                    dropped = true;
                } else {
                    kept.Add(v, p);
                }
            }
        }
        sums = kept;
        if (!dropped) break;
    }
    return MeansOf(sums.rgb, sums.count);
}

void BuildGainTable(float gain, ChannelTable& table) {
    for (int i = 0; i < 256; ++i) {
        table[i] = ClampByte(static_cast<int>(i * gain + 0.5f));
    }
}

}  // namespace

WhiteBalanceState::WhiteBalanceState() {
    for (auto& t : table) {
        BuildIdentityTable(t);
    }
}

const double* SrgbLinearTable() {
    static const SrgbTable table;
    return table.value;
}

namespace {

// Gains and tables from the mean colour; false (tables kept) without pixels.
bool AnalyseMeans(const ChannelMeans& means, WhiteBalanceState& s) {
    if (means.count == 0) {
        return false;
    }

    const double luma = (299 * means.mean[kRed] + 587 * means.mean[kGreen] + 114 * means.mean[kBlue]) * 0.001;
    float gain[3];
    for (int c = 0; c < 3; ++c) {
        // A channel that is black throughout gets the strongest boost.
        gain[c] = means.mean[c] == 0.0 ? 1.9f
                                       : std::clamp(static_cast<float>(luma / means.mean[c]), 0.1f, 1.9f);
    }

    int highCount = 0, lowCount = 0;
    float highest = 0.0f, lowest = 1.0f;
    for (float g : gain) {
        if (g >= 1.25f) {
            ++highCount;
            highest = std::max(highest, g);
        }
        if (g <= 0.75f) {
            ++lowCount;
            lowest = std::min(lowest, g);
        }
    }

    if (highCount == 0 || lowCount == 0) {
        for (int c = 0; c < 3; ++c) {
            s.gain[c] = std::clamp(gain[c], 0.6f, 1.4f);
            BuildGainTable(s.gain[c], s.table[c]);
        }
        return true;
    }
    // A strong cast both ways: bend the extreme channels with a power curve
    // instead of scaling them, which would clip the highlights.
    for (int c = 0; c < 3; ++c) {
        s.gain[c] = gain[c];
        if (gain[c] == highest || gain[c] == lowest) {
            s.exponent[c] = std::clamp(std::pow(10.0, (1.0 - gain[c]) * 0.4), 0.1, 9.9);
            BuildPowerTable(s.exponent[c], 0.00392156862745098, s.table[c]);
        } else {
            BuildIdentityTable(s.table[c]);
        }
    }
    return true;
}

}  // namespace

bool AnalyseWhiteBalance(const RgbFrame& frame, WhiteBalanceState& s, CScratch& scratch) {
    if (frame.Empty()) {
        return false;
    }
    return AnalyseMeans(s.mode != 0 ? MeanOfWhiteCandidates(frame, scratch) : MeanOfAllPixels(frame), s);
}

bool AnalyseWhiteBalanceReference(const RgbFrame& frame, WhiteBalanceState& s, CScratch& scratch) {
    if (frame.Empty()) {
        return false;
    }
    return AnalyseMeans(s.mode != 0 ? MeanOfWhiteCandidatesReference(frame, scratch) : MeanOfAllPixels(frame), s);
}

void RunWhiteBalance(const RgbFrame& frame, WhiteBalanceState& s, CScratch& scratch) {
    if (s.frameCounter == 0) {
        AnalyseWhiteBalance(frame, s, scratch);
    }
    // Counting up to the period and resetting on reaching or passing it makes
    // a period of 0 or 1 analyse every frame.
    if (++s.frameCounter >= s.period) {
        s.frameCounter = 0;
    }
    ApplyChannelTables(frame, s.table[kRed], s.table[kGreen], s.table[kBlue]);
}

}  // namespace vimbrel::effects
