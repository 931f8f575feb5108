// AVX2 paths of the zooms: the bilinear zoom's weighing of planned blocks
// and blend of two weighed rows, eight floats at a time, multiplied and
// added in the plain code's order (no fused multiply-add: the build forbids
// the contraction and the target does not include FMA); the bicubic blends;
// the nearest zoom's gather, two 16-byte blocks a shuffle. Marked with their
// target so the rest stays runnable with SSE2 only.

#include "kernels/ZoomRowsSimd.h"

#if defined(__i386__) || defined(__x86_64__)
#include <immintrin.h>

#include <cstring>

#define VIMBREL_AVX2 __attribute__((target("avx2")))

namespace vimbrel::effects::zoomrows {
namespace {

enum class Weights { kExact, kHalves, kOther };

VIMBREL_AVX2 inline __m256 Blend8(WeighedRow a, WeighedRow b, __m256 wa, __m256 wb, Weights weights, int at) {
    if (weights == Weights::kExact) {
        return _mm256_add_ps(_mm256_loadu_ps(a.pixel + at), _mm256_loadu_ps(a.neighbour + at));
    }
    if (weights == Weights::kHalves) {
        // Halving is exact and commutes with rounding, so halving every term
        // gives the halved sum: one multiply in place of four.
        __m256 v = _mm256_add_ps(_mm256_loadu_ps(a.pixel + at), _mm256_loadu_ps(a.neighbour + at));
        v = _mm256_add_ps(v, _mm256_loadu_ps(b.pixel + at));
        return _mm256_mul_ps(_mm256_add_ps(v, _mm256_loadu_ps(b.neighbour + at)), wa);
    }
    __m256 v = _mm256_add_ps(_mm256_mul_ps(_mm256_loadu_ps(a.pixel + at), wa),
                             _mm256_mul_ps(_mm256_loadu_ps(a.neighbour + at), wa));
    v = _mm256_add_ps(v, _mm256_mul_ps(_mm256_loadu_ps(b.pixel + at), wb));
    return _mm256_add_ps(v, _mm256_mul_ps(_mm256_loadu_ps(b.neighbour + at), wb));
}

// Eight channel bytes as floats (exact: bytes fit a float).
VIMBREL_AVX2 inline __m256 EightBytes(const uint8_t* p) {
    return _mm256_cvtepi32_ps(_mm256_cvtepu8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p))));
}

// Four floats from each address, the first in the low half.
VIMBREL_AVX2 inline __m256 TwoQuads(const float* low, const float* high) {
    return _mm256_insertf128_ps(_mm256_castps128_ps256(_mm_loadu_ps(low)), _mm_loadu_ps(high), 1);
}

}  // namespace

VIMBREL_AVX2 int BlendCubicRowsAvx2(const uint8_t* const rows[4], const float weight[4], int n, float* out) {
    const __m256 w0 = _mm256_set1_ps(weight[0]), w1 = _mm256_set1_ps(weight[1]);
    const __m256 w2 = _mm256_set1_ps(weight[2]), w3 = _mm256_set1_ps(weight[3]);
    int i = 0;
    for (; i + 8 <= n; i += 8) {
        __m256 v = _mm256_add_ps(_mm256_mul_ps(EightBytes(rows[0] + i), w0),
                                 _mm256_mul_ps(EightBytes(rows[1] + i), w1));
        v = _mm256_add_ps(v, _mm256_mul_ps(EightBytes(rows[2] + i), w2));
        v = _mm256_add_ps(v, _mm256_mul_ps(EightBytes(rows[3] + i), w3));
        _mm256_storeu_ps(out + i, v);
    }
    return i;
}

namespace {

// Pixels j (low half) and j + 1 (high half) of a row, as 32-bit integers
// in the low three lanes of each half: min(v, 256) truncated.
VIMBREL_AVX2 inline __m256i CubicPair(const float* blended, const CubicColumn* columns, int j) {
    const float* b0 = blended + columns[j].offset;
    const float* b1 = blended + columns[j + 1].offset;
    const __m256 w = TwoQuads(columns[j].weight, columns[j + 1].weight);
    __m256 v = _mm256_add_ps(_mm256_mul_ps(TwoQuads(b0, b1), _mm256_shuffle_ps(w, w, 0x00)),
                             _mm256_mul_ps(TwoQuads(b0 + 3, b1 + 3), _mm256_shuffle_ps(w, w, 0x55)));
    v = _mm256_add_ps(v, _mm256_mul_ps(TwoQuads(b0 + 6, b1 + 6), _mm256_shuffle_ps(w, w, 0xAA)));
    v = _mm256_add_ps(v, _mm256_mul_ps(TwoQuads(b0 + 9, b1 + 9), _mm256_shuffle_ps(w, w, 0xFF)));
    return _mm256_cvttps_epi32(_mm256_min_ps(v, _mm256_set1_ps(256.0f)));
}

}  // namespace

VIMBREL_AVX2 int BlendCubicColumnsAvx2(const float* blended, const CubicColumn* columns, int count, uint8_t* out) {
    // Eight pixels a step: four pairs packed to bytes (the packs saturate to
    // 0..255 as the plain clamp does), put in pixel order, three bytes each,
    // and written as two 16-byte stores. The second store's last four bytes
    // reach into the next step's pixels, which it writes after; the loop
    // stops while two more pixels remain, and the rest goes two at a time.
    const __m256i order = _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7);
    const __m256i compact = _mm256_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1,  //
                                             0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
    int j = 0;
    for (; j + 10 <= count; j += 8) {
        const __m256i p0 = CubicPair(blended, columns, j), p1 = CubicPair(blended, columns, j + 2);
        const __m256i p2 = CubicPair(blended, columns, j + 4), p3 = CubicPair(blended, columns, j + 6);
        const __m256i bytes = _mm256_packus_epi16(_mm256_packs_epi32(p0, p1), _mm256_packs_epi32(p2, p3));
        const __m256i pixels = _mm256_shuffle_epi8(_mm256_permutevar8x32_epi32(bytes, order), compact);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 3 * j), _mm256_castsi256_si128(pixels));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 3 * j + 12), _mm256_extracti128_si256(pixels, 1));
    }
    // Pixel j in the low half, j + 1 in the high half; each writes four
    // bytes, the fourth overwritten by the next pixel, so the row's last
    // pixel is left to the three-byte finish.
    for (; j + 2 < count; j += 2) {
        const __m256i whole = CubicPair(blended, columns, j);
        const __m256i words = _mm256_packs_epi32(whole, whole);
        const __m256i bytes = _mm256_packus_epi16(words, words);
        const uint32_t first = static_cast<uint32_t>(_mm256_cvtsi256_si32(bytes));
        const uint32_t second = static_cast<uint32_t>(_mm_cvtsi128_si32(_mm256_extracti128_si256(bytes, 1)));
        std::memcpy(out + 3 * j, &first, 4);
        std::memcpy(out + 3 * j + 3, &second, 4);
    }
    return j;
}

VIMBREL_AVX2 void WeighLinearBlocksAvx2(const uint8_t* src, const LinearBlock* plan, int blocks, float* pixel,
                                        float* neighbour) {
    float* const outs[2] = {pixel, neighbour};
    for (int j = 0; j < blocks; ++j) {
        const LinearBlock& b = plan[j];
        for (int side = 0; side < 2; ++side) {
            const __m128i bytes = _mm_shuffle_epi8(
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + b.base[side])),
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(b.shuffle[side])));
            const __m256 low = _mm256_cvtepi32_ps(_mm256_cvtepu8_epi32(bytes));
            const __m256 high = _mm256_cvtepi32_ps(_mm256_cvtepu8_epi32(_mm_srli_si128(bytes, 8)));
            float* out = outs[side] + 16 * j;
            _mm256_storeu_ps(out, _mm256_mul_ps(low, _mm256_loadu_ps(b.weight[side])));
            _mm256_storeu_ps(out + 8, _mm256_mul_ps(high, _mm256_loadu_ps(b.weight[side] + 8)));
        }
    }
}

VIMBREL_AVX2 int BlendLinearRowsAvx2(WeighedRow a, WeighedRow b, float weightA, float weightB, bool exact, int n,
                                     uint8_t* out) {
    const __m256 wa = _mm256_set1_ps(weightA), wb = _mm256_set1_ps(weightB);
    // The packs work within each 128-bit half; this puts the 4-byte groups
    // back in order.
    const __m256i order = _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7);
    const Weights weights = exact ? Weights::kExact
                                  : (weightA == 0.5f && weightB == 0.5f ? Weights::kHalves : Weights::kOther);
    int i = 0;
    for (; i + 32 <= n; i += 32) {
        const __m256i v0 = _mm256_cvttps_epi32(Blend8(a, b, wa, wb, weights, i));
        const __m256i v1 = _mm256_cvttps_epi32(Blend8(a, b, wa, wb, weights, i + 8));
        const __m256i v2 = _mm256_cvttps_epi32(Blend8(a, b, wa, wb, weights, i + 16));
        const __m256i v3 = _mm256_cvttps_epi32(Blend8(a, b, wa, wb, weights, i + 24));
        const __m256i bytes = _mm256_packus_epi16(_mm256_packs_epi32(v0, v1), _mm256_packs_epi32(v2, v3));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i), _mm256_permutevar8x32_epi32(bytes, order));
    }
    return i;
}

namespace {

// (a wa + b wb) >> shift for sixteen channels; the sums stay below 2^16
// (255 x 2^2bits), and the shift leaves bytes.
VIMBREL_AVX2 inline __m256i FixedBlend16(const uint16_t* a, const uint16_t* b, __m256i wa, __m256i wb, __m128i shift) {
    const __m256i x = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(a));
    const __m256i y = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(b));
    return _mm256_srl_epi16(_mm256_add_epi16(_mm256_mullo_epi16(x, wa), _mm256_mullo_epi16(y, wb)), shift);
}

}  // namespace

VIMBREL_AVX2 void WeighFixedBlocksAvx2(const uint8_t* src, const LinearBlock* plan, const int16_t* weights, int blocks,
                                       uint16_t* out) {
    for (int j = 0; j < blocks; ++j) {
        const LinearBlock& b = plan[j];
        __m256i side[2];
        for (int s = 0; s < 2; ++s) {
            const __m128i bytes = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(src + b.base[s])),
                                                   _mm_loadu_si128(reinterpret_cast<const __m128i*>(b.shuffle[s])));
            side[s] = _mm256_mullo_epi16(
                _mm256_cvtepu8_epi16(bytes),
                _mm256_loadu_si256(reinterpret_cast<const __m256i*>(weights + 32 * j + 16 * s)));
        }
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + 16 * j), _mm256_add_epi16(side[0], side[1]));
    }
}

VIMBREL_AVX2 int BlendFixedRowsAvx2(const uint16_t* a, const uint16_t* b, int weightA, int weightB, int bits, int n,
                                    uint8_t* out) {
    const __m256i wa = _mm256_set1_epi16(static_cast<int16_t>(weightA));
    const __m256i wb = _mm256_set1_epi16(static_cast<int16_t>(weightB));
    const __m128i shift = _mm_cvtsi32_si128(2 * bits);
    int i = 0;
    for (; i + 32 <= n; i += 32) {
        // The pack works within each 128-bit half; the permute puts the
        // quarters back in order.
        const __m256i bytes = _mm256_packus_epi16(FixedBlend16(a + i, b + i, wa, wb, shift),
                                                  FixedBlend16(a + i + 16, b + i + 16, wa, wb, shift));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i), _mm256_permute4x64_epi64(bytes, 0xD8));
    }
    return i;
}

VIMBREL_AVX2 void GatherNearestBlocksAvx2(const uint8_t* src, const int32_t* base, const int8_t* shuffle, int blocks,
                                          uint8_t* out) {
    // The shuffle stays inside each 16-byte half, so each half has its own
    // window: block j in the low half, block j + 1 in the high one.
    int j = 0;
    for (; j + 2 <= blocks; j += 2) {
        const __m256i window = _mm256_inserti128_si256(
            _mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(src + base[j]))),
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + base[j + 1])), 1);
        _mm256_storeu_si256(
            reinterpret_cast<__m256i*>(out + 16 * j),
            _mm256_shuffle_epi8(window, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(shuffle + 16 * j))));
    }
    if (j < blocks) {
        const __m128i window = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + base[j]));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 16 * j),
                         _mm_shuffle_epi8(window, _mm_loadu_si128(reinterpret_cast<const __m128i*>(shuffle + 16 * j))));
    }
}

}  // namespace vimbrel::effects::zoomrows

#else

namespace vimbrel::effects::zoomrows {
int BlendCubicRowsAvx2(const uint8_t* const*, const float*, int, float*) { return 0; }
int BlendCubicColumnsAvx2(const float*, const CubicColumn*, int, uint8_t*) { return 0; }
void WeighLinearBlocksAvx2(const uint8_t*, const LinearBlock*, int, float*, float*) {}
int BlendLinearRowsAvx2(WeighedRow, WeighedRow, float, float, bool, int, uint8_t*) { return 0; }
void WeighFixedBlocksAvx2(const uint8_t*, const LinearBlock*, const int16_t*, int, uint16_t*) {}
int BlendFixedRowsAvx2(const uint16_t*, const uint16_t*, int, int, int, int, uint8_t*) { return 0; }
void GatherNearestBlocksAvx2(const uint8_t*, const int32_t*, const int8_t*, int, uint8_t*) {}
}  // namespace vimbrel::effects::zoomrows

#endif
