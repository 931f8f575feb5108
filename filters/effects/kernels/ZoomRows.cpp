#include "kernels/ZoomRows.h"

#include <cstring>

#include <algorithm>

#include "kernels/FrameView.h"
#include "kernels/ZoomRowsSimd.h"
#include "simd/SimdLevel.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Every function runs its vector loop first and finishes (or, without SSE2,
// does all of the work) with the plain expression. Both round each product
// and each sum to float in the same order: the vector lanes are channels or
// neighbouring bytes, never terms of one sum, so no sum is reassociated.
// Both builds target SSE2 without FMA, so the compiler cannot fuse a
// multiply with an add on either side; a build for a processor with FMA
// would need -ffp-contract=off to keep the two alike, which the build sets.
// With the vector level capped to plain, only the plain expressions run.

namespace vimbrel::effects {
namespace {

using simd::ActiveSimdLevel;
using simd::SimdLevel;

bool UseSse2() { return ActiveSimdLevel() >= SimdLevel::kSse2; }

uint8_t CubicByte(float v) { return ClampByte(v >= 256.0f ? 256 : static_cast<int>(v)); }

#if defined(__SSE2__)

// Sixteen channel bytes as four vectors of floats (exact: bytes fit a float).
void BytesToFloats(const uint8_t* p, __m128 out[4]) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i low = _mm_unpacklo_epi8(bytes, zero), high = _mm_unpackhi_epi8(bytes, zero);
    out[0] = _mm_cvtepi32_ps(_mm_unpacklo_epi16(low, zero));
    out[1] = _mm_cvtepi32_ps(_mm_unpackhi_epi16(low, zero));
    out[2] = _mm_cvtepi32_ps(_mm_unpacklo_epi16(high, zero));
    out[3] = _mm_cvtepi32_ps(_mm_unpackhi_epi16(high, zero));
}

// Truncation toward zero, then the saturating packs clamp to 0..255 as
// ClampByte does for every value a 32-bit integer holds.
__m128i TruncateToBytes(__m128 a, __m128 b, __m128 c, __m128 d) {
    const __m128i low = _mm_packs_epi32(_mm_cvttps_epi32(a), _mm_cvttps_epi32(b));
    const __m128i high = _mm_packs_epi32(_mm_cvttps_epi32(c), _mm_cvttps_epi32(d));
    return _mm_packus_epi16(low, high);
}

// One pixel's three channels in the low lanes. The fourth byte is read when
// the row has it (it lands in the lane that is dropped); at the row's end
// only three are, so the read never leaves the row.
__m128 PixelToFloats(const uint8_t* p, bool fourReadable) {
    uint32_t bits;
    if (fourReadable) {
        std::memcpy(&bits, p, 4);
    } else {
        bits = p[0] | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16;
    }
    const __m128i zero = _mm_setzero_si128();
    const __m128i bytes = _mm_cvtsi32_si128(static_cast<int>(bits));
    return _mm_cvtepi32_ps(_mm_unpacklo_epi16(_mm_unpacklo_epi8(bytes, zero), zero));
}

#endif

}  // namespace

void BlendCubicRows(const uint8_t* const rows[4], const float weight[4], int n, float* out) {
    int i = ActiveSimdLevel() >= SimdLevel::kAvx2 ? zoomrows::BlendCubicRowsAvx2(rows, weight, n, out) : 0;
#if defined(__SSE2__)
    const __m128 w0 = _mm_set1_ps(weight[0]), w1 = _mm_set1_ps(weight[1]);
    const __m128 w2 = _mm_set1_ps(weight[2]), w3 = _mm_set1_ps(weight[3]);
    const bool vector = UseSse2();
    for (; vector && i + 16 <= n; i += 16) {
        __m128 s0[4], s1[4], s2[4], s3[4];
        BytesToFloats(rows[0] + i, s0);
        BytesToFloats(rows[1] + i, s1);
        BytesToFloats(rows[2] + i, s2);
        BytesToFloats(rows[3] + i, s3);
        for (int q = 0; q < 4; ++q) {
            __m128 v = _mm_add_ps(_mm_mul_ps(s0[q], w0), _mm_mul_ps(s1[q], w1));
            v = _mm_add_ps(v, _mm_mul_ps(s2[q], w2));
            v = _mm_add_ps(v, _mm_mul_ps(s3[q], w3));
            _mm_storeu_ps(out + i + 4 * q, v);
        }
    }
#endif
    for (; i < n; ++i) {
        out[i] = rows[0][i] * weight[0] + rows[1][i] * weight[1] + rows[2][i] * weight[2] + rows[3][i] * weight[3];
    }
}

void BlendCubicColumns(const float* blended, const CubicColumn* columns, int count, uint8_t* out) {
    int j = ActiveSimdLevel() >= SimdLevel::kAvx2 ? zoomrows::BlendCubicColumnsAvx2(blended, columns, count, out) : 0;
#if defined(__SSE2__)
    const __m128 limit = _mm_set1_ps(256.0f);
    const auto pixel = [&](const CubicColumn& t) {
        const float* b = blended + t.offset;
        const __m128 w = _mm_loadu_ps(t.weight);
        __m128 v = _mm_add_ps(_mm_mul_ps(_mm_loadu_ps(b), _mm_shuffle_ps(w, w, 0x00)),
                              _mm_mul_ps(_mm_loadu_ps(b + 3), _mm_shuffle_ps(w, w, 0x55)));
        v = _mm_add_ps(v, _mm_mul_ps(_mm_loadu_ps(b + 6), _mm_shuffle_ps(w, w, 0xAA)));
        v = _mm_add_ps(v, _mm_mul_ps(_mm_loadu_ps(b + 9), _mm_shuffle_ps(w, w, 0xFF)));
        // min(v, 256) then truncation and the packs: 256 and up give 255.
        const __m128i whole = _mm_cvttps_epi32(_mm_min_ps(v, limit));
        const __m128i words = _mm_packs_epi32(whole, whole);
        return static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(words, words)));
    };
    // Four bytes reach into the next pixel, written next; the row's last
    // pixel gets exactly three.
    const bool vector = UseSse2();
    for (; vector && j + 1 < count; ++j) {
        const uint32_t bgr = pixel(columns[j]);
        std::memcpy(out + 3 * j, &bgr, 4);
    }
    if (vector && j < count) {
        const uint32_t bgr = pixel(columns[j]);
        std::memcpy(out + 3 * j, &bgr, 3);
        ++j;
    }
#endif
    for (; j < count; ++j) {
        const CubicColumn& t = columns[j];
        const float* b = blended + t.offset;
        for (int c = 0; c < 3; ++c) {
            const float v = b[c] * t.weight[0] + b[3 + c] * t.weight[1] + b[6 + c] * t.weight[2] +
                            b[9 + c] * t.weight[3];
            out[3 * j + c] = CubicByte(v);
        }
    }
}

void WeighLinearColumns(const uint8_t* src, int srcBytes, const LinearColumn* columns, int count, float* pixel,
                        float* neighbour) {
    int k = 0;
#if defined(__SSE2__)
    const bool vector = UseSse2();
    for (; vector && k < count; ++k) {
        const LinearColumn& t = columns[k];
        const __m128 own = PixelToFloats(src + t.offset, t.offset + 4 <= srcBytes);
        const __m128 next = PixelToFloats(src + t.neighbourOffset, t.neighbourOffset + 4 <= srcBytes);
        _mm_storeu_ps(pixel + 3 * k, _mm_mul_ps(own, _mm_set1_ps(t.weight)));
        _mm_storeu_ps(neighbour + 3 * k, _mm_mul_ps(next, _mm_set1_ps(t.neighbourWeight)));
    }
#else
    static_cast<void>(srcBytes);
#endif
    for (; k < count; ++k) {
        const LinearColumn& t = columns[k];
        for (int c = 0; c < 3; ++c) {
            pixel[3 * k + c] = src[t.offset + c] * t.weight;
            neighbour[3 * k + c] = src[t.neighbourOffset + c] * t.neighbourWeight;
        }
    }
}

void BlendLinearRows(WeighedRow a, WeighedRow b, float weightA, float weightB, int n, uint8_t* out) {
    int i = 0;
    const SimdLevel level = ActiveSimdLevel();
    const bool exact = weightA == 1.0f && weightB == 0.0f;
    if (level >= SimdLevel::kAvx2) {
        i = zoomrows::BlendLinearRowsAvx2(a, b, weightA, weightB, exact, n, out);
    }
#if defined(__SSE2__)
    const __m128 wa = _mm_set1_ps(weightA), wb = _mm_set1_ps(weightB);
    const auto blend = [&](int at) {
        if (exact) {
            // x 1 is x, and the products with 0 add +0 to a sum that is
            // never negative: the sum alone.
            return _mm_add_ps(_mm_loadu_ps(a.pixel + at), _mm_loadu_ps(a.neighbour + at));
        }
        __m128 v = _mm_add_ps(_mm_mul_ps(_mm_loadu_ps(a.pixel + at), wa),
                              _mm_mul_ps(_mm_loadu_ps(a.neighbour + at), wa));
        v = _mm_add_ps(v, _mm_mul_ps(_mm_loadu_ps(b.pixel + at), wb));
        return _mm_add_ps(v, _mm_mul_ps(_mm_loadu_ps(b.neighbour + at), wb));
    };
    for (; level >= SimdLevel::kSse2 && i + 16 <= n; i += 16) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i),
                         TruncateToBytes(blend(i), blend(i + 4), blend(i + 8), blend(i + 12)));
    }
#endif
    for (; i < n; ++i) {
        const float v = a.pixel[i] * weightA + a.neighbour[i] * weightA + b.pixel[i] * weightB +
                        b.neighbour[i] * weightB;
        out[i] = ClampByte(static_cast<int>(v));
    }
}

void PlanLinearBlocks(const LinearColumn* columns, int count, int srcBytes, std::vector<LinearBlock>& blocks) {
    blocks.clear();
    if (ActiveSimdLevel() < SimdLevel::kSsse3 || srcBytes < 16) {
        return;
    }
    const int whole = 3 * count / 16;
    for (int j = 0; j < whole; ++j) {
        LinearBlock block;
        for (int side = 0; side < 2; ++side) {
            int first = srcBytes, last = 0;
            int byte[16];
            for (int lane = 0; lane < 16; ++lane) {
                const int i = 16 * j + lane;
                const LinearColumn& t = columns[i / 3];
                byte[lane] = (side == 0 ? t.offset : t.neighbourOffset) + i % 3;
                block.weight[side][lane] = side == 0 ? t.weight : t.neighbourWeight;
                first = std::min(first, byte[lane]);
                last = std::max(last, byte[lane]);
            }
            // A zoom that shrinks spreads sixteen channels over more than
            // sixteen bytes: those blocks, and all after them, go column by column.
            if (last - first > 15) {
                return;
            }
            block.base[side] = std::min(first, srcBytes - 16);
            for (int lane = 0; lane < 16; ++lane) {
                block.shuffle[side][lane] = static_cast<int8_t>(byte[lane] - block.base[side]);
            }
        }
        blocks.push_back(block);
    }
}

void WeighLinearRow(const uint8_t* src, int srcBytes, const LinearColumn* columns, int count,
                    const std::vector<LinearBlock>& blocks, float* pixel, float* neighbour) {
    const SimdLevel level = ActiveSimdLevel();
    if (blocks.empty() || level < SimdLevel::kSsse3) {
        WeighLinearColumns(src, srcBytes, columns, count, pixel, neighbour);
        return;
    }
    const int done = static_cast<int>(blocks.size());
    if (level >= SimdLevel::kAvx2) {
        zoomrows::WeighLinearBlocksAvx2(src, blocks.data(), done, pixel, neighbour);
    } else {
        zoomrows::WeighLinearBlocksSsse3(src, blocks.data(), done, pixel, neighbour);
    }
    for (int i = 16 * done; i < 3 * count; ++i) {
        const LinearColumn& t = columns[i / 3];
        pixel[i] = src[t.offset + i % 3] * t.weight;
        neighbour[i] = src[t.neighbourOffset + i % 3] * t.neighbourWeight;
    }
}

int FixedWeightBits(float weight) {
    for (int bits = 0; bits <= kMaxFixedLinearBits; ++bits) {
        const float scaled = weight * static_cast<float>(1 << bits);  // exact: a power of two
        if (scaled >= 0.0f && scaled <= static_cast<float>(1 << bits) &&
            scaled == static_cast<float>(static_cast<int>(scaled))) {
            return bits;
        }
    }
    return -1;
}

namespace {
int16_t FixedWeight(float weight, int bits) { return static_cast<int16_t>(weight * static_cast<float>(1 << bits)); }
}  // namespace

void PlanFixedLinear(const LinearColumn* columns, int count, int srcBytes, int bits, FixedLinearPlan& plan) {
    plan.bits = bits;
    plan.blocks.clear();
    plan.weights.clear();
    if (ActiveSimdLevel() < SimdLevel::kAvx2) {
        return;
    }
    PlanLinearBlocks(columns, count, srcBytes, plan.blocks);
    for (const LinearBlock& block : plan.blocks) {
        for (int side = 0; side < 2; ++side) {
            for (float weight : block.weight[side]) plan.weights.push_back(FixedWeight(weight, bits));
        }
    }
}

void WeighFixedRow(const uint8_t* src, const LinearColumn* columns, int count, const FixedLinearPlan& plan,
                   uint16_t* out) {
    const int done = static_cast<int>(plan.blocks.size());
    if (done > 0) {
        zoomrows::WeighFixedBlocksAvx2(src, plan.blocks.data(), plan.weights.data(), done, out);
    }
    for (int i = 16 * done; i < 3 * count; ++i) {
        const LinearColumn& t = columns[i / 3];
        out[i] = static_cast<uint16_t>(src[t.offset + i % 3] * FixedWeight(t.weight, plan.bits) +
                                       src[t.neighbourOffset + i % 3] * FixedWeight(t.neighbourWeight, plan.bits));
    }
}

void BlendFixedRows(const uint16_t* a, const uint16_t* b, int weightA, int weightB, int bits, int n, uint8_t* out) {
    int i = ActiveSimdLevel() >= SimdLevel::kAvx2 ? zoomrows::BlendFixedRowsAvx2(a, b, weightA, weightB, bits, n, out)
                                                  : 0;
    for (; i < n; ++i) {
        out[i] = static_cast<uint8_t>((a[i] * weightA + b[i] * weightB) >> (2 * bits));
    }
}

void GatherNearestRow(const uint8_t* src, const NearestZoomPlan& plan, uint8_t* out) {
    const int count = static_cast<int>(plan.offsets.size());
    const int32_t* offsets = plan.offsets.data();
    const int blocks = static_cast<int>(plan.blockBase.size());
    int k = 0;
    if (blocks > 0 && ActiveSimdLevel() >= SimdLevel::kSsse3) {
        const auto gather = ActiveSimdLevel() >= SimdLevel::kAvx2 ? zoomrows::GatherNearestBlocksAvx2
                                                                  : zoomrows::GatherNearestBlocksSsse3;
        gather(src, plan.blockBase.data(), plan.blockShuffle.data(), blocks, out);
        k = 16 * blocks / 3;  // the first pixel the blocks left unfinished
    }
#if defined(__SSE2__)
    if (UseSse2()) {
        // Two pixels an 8-byte move: each read with the bytes after it (the
        // copy has room), the first cut to its three bytes and the second
        // placed behind it. The two bytes past them belong to the pixel
        // written next; the row's last one or two pixels are left below.
        const __m128i three = _mm_cvtsi32_si128(0xFFFFFF);
        for (; k + 3 <= count; k += 2) {
            const __m128i first = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(src + offsets[k]));
            const __m128i second = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(src + offsets[k + 1]));
            _mm_storel_epi64(reinterpret_cast<__m128i*>(out + 3 * k),
                             _mm_or_si128(_mm_and_si128(first, three), _mm_slli_epi64(second, 24)));
        }
    }
#endif
    for (; k < count; ++k) {
        std::memcpy(out + 3 * k, src + offsets[k], 3);
    }
}

}  // namespace vimbrel::effects
