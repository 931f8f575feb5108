#include "kernels/WhiteCandidates.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "kernels/ColourTables.h"
#include "kernels/WhiteBalance.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vimbrel::effects {
namespace {

// 2^11. A value below it that is a whole number of 2^-41 units, added to it,
// gives a double in [2^11, 2^12) whose mantissa holds exactly those units.
constexpr double kUnitCarrier = 2048.0;

uint64_t BitsOf(double v) {
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return bits;
}

// The XYZ weights folded into the linearising table: the red, green and blue
// entries added in that order give X = 0.4124 R + 0.3576 G + 0.1805 B, and
// Y and Z likewise. X and Y sit side by side for the vector code, Z beside
// a zero.
struct XyzTables {
    alignas(16) double xy[3][256][2];  // [red, green, blue][value][X, Y]
    alignas(16) double z[3][256][2];   // [red, green, blue][value][Z, 0]

    XyzTables() {
        const double* lin = SrgbLinearTable();
        static const double kX[3] = {0.4124, 0.3576, 0.1805};
        static const double kY[3] = {0.2126, 0.7152, 0.0722};
        static const double kZ[3] = {0.0193, 0.1192, 0.9505};
        for (int c = 0; c < 3; ++c) {
            for (int i = 0; i < 256; ++i) {
                xy[c][i][0] = kX[c] * lin[i];
                xy[c][i][1] = kY[c] * lin[i];
                z[c][i][0] = kZ[c] * lin[i];
                z[c][i][1] = 0.0;
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

Xyz3 XyzOf(const XyzTables& t, const uint8_t* bgr) {
    const int b = bgr[0], g = bgr[1], r = bgr[2];
    return Xyz3{static_cast<float>(t.xy[kRed][r][0] + t.xy[kGreen][g][0] + t.xy[kBlue][b][0]),
                static_cast<float>(t.xy[kRed][r][1] + t.xy[kGreen][g][1] + t.xy[kBlue][b][1]),
                static_cast<float>(t.z[kRed][r][0] + t.z[kGreen][g][0] + t.z[kBlue][b][0])};
}

// Every red, green and blue value of n pixels added to sum (red, green,
// blue), 16 pixels at a time where the vector unit allows.
void AddColourSums(const uint8_t* p, int n, uint64_t sum[3]) {
    int k = 0;
#if defined(__SSE2__)
    // masks[v][c]: the bytes of channel c within the v-th 16 bytes of 48.
    struct Masks {
        alignas(16) uint8_t bytes[3][3][16];
        Masks() {
            for (int v = 0; v < 3; ++v)
                for (int c = 0; c < 3; ++c)
                    for (int j = 0; j < 16; ++j) bytes[v][c][j] = (16 * v + j) % 3 == c ? 0xFF : 0;
        }
    };
    static const Masks masks;
    const __m128i zero = _mm_setzero_si128();
    __m128i lanes[3] = {zero, zero, zero};  // blue, green, red in two 64-bit halves
    for (; k + 16 <= n; k += 16) {
        for (int v = 0; v < 3; ++v) {
            const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 3 * k + 16 * v));
            for (int c = 0; c < 3; ++c) {
                const __m128i mask = _mm_load_si128(reinterpret_cast<const __m128i*>(masks.bytes[v][c]));
                lanes[c] = _mm_add_epi64(lanes[c], _mm_sad_epu8(_mm_and_si128(bytes, mask), zero));
            }
        }
    }
    alignas(16) uint64_t halves[2];
    const int channelOf[3] = {kBlue, kGreen, kRed};
    for (int c = 0; c < 3; ++c) {
        _mm_store_si128(reinterpret_cast<__m128i*>(halves), lanes[c]);
        sum[channelOf[c]] += halves[0] + halves[1];
    }
#endif
    for (; k < n; ++k) {
        sum[kBlue] += p[3 * k];
        sum[kGreen] += p[3 * k + 1];
        sum[kRed] += p[3 * k + 2];
    }
}

float CandidateThreshold(float minY, float maxY) { return minY + 0.05f * (maxY - minY); }

// The candidates' exact XYZ sums, colour sums and count.
struct CandidateSums {
    CExactSum xyz[3];
    uint64_t colour[3] = {0, 0, 0};  // red, green, blue
    uint64_t count = 0;

    void Add(const Xyz3& v, const uint8_t* bgr) {
        xyz[0].Add(XyzUnits(v.x));
        xyz[1].Add(XyzUnits(v.y));
        xyz[2].Add(XyzUnits(v.z));
        colour[kRed] += bgr[2];
        colour[kGreen] += bgr[1];
        colour[kBlue] += bgr[0];
        ++count;
    }
    void Subtract(const Xyz3& v, const uint8_t* bgr) {
        xyz[0].Subtract(XyzUnits(v.x));
        xyz[1].Subtract(XyzUnits(v.y));
        xyz[2].Subtract(XyzUnits(v.z));
        colour[kRed] -= bgr[2];
        colour[kGreen] -= bgr[1];
        colour[kBlue] -= bgr[0];
        --count;
    }
    float Limit(int axis) const { return DropLimit(xyz[axis], count); }
};

#if defined(__SSE2__)

// The fast search keeps X, Y and Z of every pixel as three floats, twelve
// bytes that a vector load reads with the next pixel's X in its fourth lane,
// which no test below looks at. Pixels that are not, or no longer,
// candidates become (-1, -1, -1), below every limit. The sums start over all
// pixels and lose each pixel as it leaves, so a round costs a compare per
// pixel unless it drops something; and the last round, which drops nothing,
// is usually settled by the largest values the round before kept.

// Pixels whose X, Y and Z add up exactly as doubles: the sums stay below
// 2^11, so every 2^-41 unit still fits the 53-bit mantissa.
constexpr int kExactRun = 1024;

// Computes the records of a row, the running minimum and maximum of Y (lane
// 1 of low and high) and adds the pixels to the sums. `out` has room for a
// 16-byte store at the last record. Kept out of line: inlined, the sums'
// many words crowd the loop's registers.
__attribute__((noinline)) void MeasureRow(const XyzTables& t, const uint8_t* p, int n, float* out, __m128& low,
                                          __m128& high, CandidateSums& sums) {
    __m128 minimum = low, maximum = high;
    for (int start = 0; start < n; start += kExactRun) {
        const int end = std::min(n, start + kExactRun);
        __m128d xySum = _mm_setzero_pd(), zSum = _mm_setzero_pd();
        for (int k = start; k < end; ++k) {
            const uint8_t* q = p + 3 * static_cast<std::size_t>(k);
            const unsigned blue = q[0], green = q[1], red = q[2];
            const __m128d xy = _mm_add_pd(_mm_add_pd(_mm_load_pd(t.xy[kRed][red]), _mm_load_pd(t.xy[kGreen][green])),
                                          _mm_load_pd(t.xy[kBlue][blue]));
            const __m128d z = _mm_add_pd(_mm_add_pd(_mm_load_pd(t.z[kRed][red]), _mm_load_pd(t.z[kGreen][green])),
                                         _mm_load_pd(t.z[kBlue][blue]));
            const __m128 xyf = _mm_cvtpd_ps(xy);  // x, y, 0, 0
            const __m128 zf = _mm_cvtpd_ps(z);    // z, 0, 0, 0
            _mm_storeu_ps(out + 3 * static_cast<std::size_t>(k), _mm_movelh_ps(xyf, zf));
            minimum = _mm_min_ps(minimum, xyf);
            maximum = _mm_max_ps(maximum, xyf);
            xySum = _mm_add_pd(xySum, _mm_cvtps_pd(xyf));
            zSum = _mm_add_pd(zSum, _mm_cvtps_pd(zf));
        }
        alignas(16) double exact[2];
        _mm_store_pd(exact, xySum);
        sums.xyz[0].Add(XyzUnits(exact[0]));
        sums.xyz[1].Add(XyzUnits(exact[1]));
        sums.xyz[2].Add(XyzUnits(_mm_cvtsd_f64(zSum)));
    }
    low = minimum;
    high = maximum;
    AddColourSums(p, n, sums.colour);
    sums.count += static_cast<uint64_t>(n);
}

template <typename Test>
bool DropIf(float* record, const uint8_t* bgr, Test test, CandidateSums& sums, __m128& keptMax) {
    const __m128 v = _mm_loadu_ps(record);
    if ((_mm_movemask_ps(test(v)) & 7) == 0) {
        keptMax = _mm_max_ps(keptMax, v);
        return false;
    }
    sums.Subtract(Xyz3{record[0], record[1], record[2]}, bgr);
    record[0] = record[1] = record[2] = -1.0f;
    return true;
}

// Drops every pixel for which test(its record) sets lane 0, 1 or 2; returns
// how many it dropped, and in lanes 0 to 2 of keptMax the largest X, Y and
// Z of those it kept. Four pixels are tested together: most rounds drop few.
template <typename Test>
uint64_t DropWhere(float* records, const RgbFrame& frame, CandidateSums& sums, Test test, __m128& keptMax) {
    uint64_t dropped = 0;
    __m128 largest = _mm_set1_ps(-1.0f);
    const int w = frame.width;
    for (int r = 0; r < frame.height; ++r) {
        const uint8_t* row = frame.Row(r);
        float* rec = records + 3 * static_cast<std::size_t>(r) * w;
        int k = 0;
        for (; k + 4 <= w; k += 4) {
            float* q = rec + 3 * k;
            const __m128 v0 = _mm_loadu_ps(q), v1 = _mm_loadu_ps(q + 3), v2 = _mm_loadu_ps(q + 6),
                         v3 = _mm_loadu_ps(q + 9);
            const __m128 any = _mm_or_ps(_mm_or_ps(test(v0), test(v1)), _mm_or_ps(test(v2), test(v3)));
            if ((_mm_movemask_ps(any) & 7) == 0) {
                largest = _mm_max_ps(largest, _mm_max_ps(_mm_max_ps(v0, v1), _mm_max_ps(v2, v3)));
                continue;
            }
            for (int j = k; j < k + 4; ++j) {
                dropped += DropIf(rec + 3 * j, row + 3 * j, test, sums, largest) ? 1 : 0;
            }
        }
        for (; k < w; ++k) {
            dropped += DropIf(rec + 3 * k, row + 3 * k, test, sums, largest) ? 1 : 0;
        }
    }
    keptMax = largest;
    return dropped;
}

ChannelMeans MeanOfWhiteCandidatesVector(const RgbFrame& frame, CScratch& scratch) {
    const XyzTables& t = Xyz();
    const std::size_t n = static_cast<std::size_t>(frame.width) * frame.height;
    float* records = reinterpret_cast<float*>(scratch.Bytes(0, (3 * n + 4) * sizeof(float)));

    CandidateSums sums;
    const float infinity = std::numeric_limits<float>::infinity();
    __m128 low = _mm_set1_ps(infinity), high = _mm_set1_ps(-infinity);
    for (int r = 0; r < frame.height; ++r) {
        MeasureRow(t, frame.Row(r), frame.width, records + 3 * static_cast<std::size_t>(r) * frame.width, low, high,
                   sums);
    }
    const float minY = _mm_cvtss_f32(_mm_shuffle_ps(low, low, 1));
    const float maxY = _mm_cvtss_f32(_mm_shuffle_ps(high, high, 1));
    const __m128 dim = _mm_setr_ps(-infinity, CandidateThreshold(minY, maxY), -infinity, -infinity);
    __m128 keptMax;
    DropWhere(
        records, frame, sums, [dim](__m128 v) { return _mm_cmplt_ps(v, dim); }, keptMax);

    while (sums.count != 0) {
        const __m128 limits = _mm_setr_ps(sums.Limit(0), sums.Limit(1), sums.Limit(2), infinity);
        // A round drops nothing, and so ends the search, when no candidate
        // reaches a limit; the largest values kept tell that without a walk.
        if ((_mm_movemask_ps(_mm_cmpge_ps(keptMax, limits)) & 7) == 0) {
            break;
        }
        if (DropWhere(
                records, frame, sums, [limits](__m128 v) { return _mm_cmpge_ps(v, limits); }, keptMax) == 0) {
            break;
        }
    }
    return MeansOf(sums.colour, sums.count);
}

#endif

}  // namespace

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

uint64_t XyzUnits(double value) { return BitsOf(static_cast<double>(value) + kUnitCarrier) - BitsOf(kUnitCarrier); }

void CExactSum::Add(uint64_t units) {
    low_ += units;
    high_ += low_ < units ? 1 : 0;
}

void CExactSum::Subtract(uint64_t units) {
    high_ -= low_ < units ? 1 : 0;
    low_ -= units;
}

uint64_t CExactSum::ThreeTimesMeanRoundedUp(uint64_t count) const {
    // 3 x sum in two words, then long division bit by bit: three calls per
    // round, so plain beats clever. The quotient is below 2^44 (three times
    // a mean of values below 2^42) and the divisor, a pixel count, below
    // 2^63, so neither the quotient nor the remainder can overflow.
    uint64_t low = low_, high = high_;
    for (int twice = 0; twice < 2; ++twice) {
        low += low_;
        high += high_ + (low < low_ ? 1 : 0);
    }
    uint64_t quotient = 0, remainder = 0;
    for (int bit = 127; bit >= 0; --bit) {
        const uint64_t next = bit >= 64 ? (high >> (bit - 64)) & 1 : (low >> bit) & 1;
        remainder = (remainder << 1) | next;
        quotient <<= 1;
        if (remainder >= count) {
            remainder -= count;
            quotient |= 1;
        }
    }
    return quotient + (remainder != 0 ? 1 : 0);
}

float DropLimit(const CExactSum& sum, uint64_t count) {
    // Below 2^44, so the double holds the units exactly.
    const double units = static_cast<double>(sum.ThreeTimesMeanRoundedUp(count));
    float limit = static_cast<float>(units);
    if (static_cast<double>(limit) < units) {
        limit = std::nextafter(limit, std::numeric_limits<float>::infinity());
    }
    // Values are whole units too, so value >= units x 2^-41 exactly when
    // value >= the smallest float at or above it.
    return std::ldexp(limit, -kXyzUnitBits);
}

ChannelMeans MeanOfAllPixels(const RgbFrame& frame) {
    uint64_t sum[3] = {0, 0, 0};
    for (int r = 0; r < frame.height; ++r) {
        AddColourSums(frame.Row(r), frame.width, sum);
    }
    return MeansOf(sum, static_cast<uint64_t>(frame.width) * frame.height);
}

ChannelMeans MeanOfWhiteCandidates(const RgbFrame& frame, CScratch& scratch) {
#if defined(__SSE2__)
    return MeanOfWhiteCandidatesVector(frame, scratch);
#else
    return MeanOfWhiteCandidatesPlain(frame, scratch);
#endif
}

ChannelMeans MeanOfWhiteCandidatesPlain(const RgbFrame& frame, CScratch& scratch) {
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
    const float threshold = CandidateThreshold(minY, maxY);
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
        const float limitX = sums.Limit(0), limitY = sums.Limit(1), limitZ = sums.Limit(2);
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
    return MeansOf(sums.colour, sums.count);
}

}  // namespace vimbrel::effects
