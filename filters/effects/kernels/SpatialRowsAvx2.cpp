// AVX2 paths of the neighbourhood stages. Marked with their target so the
// rest stays runnable with SSE2 only; helpers are functions of their own,
// since a lambda would not carry the target.

#include "kernels/SpatialRowsSimd.h"

#if defined(__i386__) || defined(__x86_64__)
#include <immintrin.h>

#define VIMBREL_AVX2 __attribute__((target("avx2")))

namespace vimbrel::effects::spatial {
namespace {

VIMBREL_AVX2 inline __m256i Load16(const uint16_t* p) {
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}

// Sixteen values: the mean of the eight neighbours where it lies within the
// threshold, else the value.
VIMBREL_AVX2 inline __m256i DespeckleLanes(const uint16_t* columnSum, int at, __m256i value, __m256i limit) {
    const __m256i sum = _mm256_add_epi16(_mm256_add_epi16(Load16(columnSum + at - 3), Load16(columnSum + at)),
                                         Load16(columnSum + at + 3));
    const __m256i mean = _mm256_srli_epi16(_mm256_sub_epi16(sum, value), 3);
    const __m256i near = _mm256_cmpgt_epi16(limit, _mm256_abs_epi16(_mm256_sub_epi16(mean, value)));
    return _mm256_blendv_epi8(value, mean, near);
}

VIMBREL_AVX2 inline __m256i Widen(const uint8_t* p) {
    return _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)));
}

// Thirty-two 16-bit lanes back to bytes in order (the pack works per half).
VIMBREL_AVX2 inline __m256i PackInOrder(__m256i low, __m256i high) {
    return _mm256_permute4x64_epi64(_mm256_packus_epi16(low, high), 0xD8);
}

}  // namespace

VIMBREL_AVX2 int ColumnSumsAvx2(const uint8_t* a, const uint8_t* b, const uint8_t* c, int n, uint16_t* out) {
    int i = 0;
    for (; i + 16 <= n; i += 16) {
        const __m256i sum = _mm256_add_epi16(_mm256_add_epi16(Widen(a + i), Widen(b + i)), Widen(c + i));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i), sum);
    }
    return i;
}

VIMBREL_AVX2 int DespeckleRowAvx2(const uint8_t* current, const uint16_t* columnSum, int end, int threshold,
                                  uint8_t* out) {
    const __m256i limit = _mm256_set1_epi16(static_cast<int16_t>(threshold));
    int i = 3;
    for (; i + 32 <= end; i += 32) {
        const __m256i low = DespeckleLanes(columnSum, i, Widen(current + i), limit);
        const __m256i high = DespeckleLanes(columnSum, i + 16, Widen(current + i + 16), limit);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i), PackInOrder(low, high));
    }
    return i;
}

VIMBREL_AVX2 int SobelRowAvx2(const uint8_t* below, const uint8_t* mid, const uint8_t* above, int w, uint8_t* out,
                              int& largest) {
    __m256i most = _mm256_setzero_si256();
    const __m256i top = _mm256_set1_epi16(255);
    int k = 1;
    for (; k + 16 + 1 <= w; k += 16) {
        const __m256i bl = Widen(below + k - 1), bc = Widen(below + k), br = Widen(below + k + 1);
        const __m256i ml = Widen(mid + k - 1), mr = Widen(mid + k + 1);
        const __m256i al = Widen(above + k - 1), ac = Widen(above + k), ar = Widen(above + k + 1);
        const __m256i dm = _mm256_sub_epi16(mr, ml);
        const __m256i gx = _mm256_sub_epi16(_mm256_add_epi16(_mm256_add_epi16(dm, dm), _mm256_add_epi16(br, ar)),
                                            _mm256_add_epi16(bl, al));
        const __m256i gy = _mm256_sub_epi16(_mm256_add_epi16(_mm256_add_epi16(bl, _mm256_add_epi16(bc, bc)), br),
                                            _mm256_add_epi16(_mm256_add_epi16(al, _mm256_add_epi16(ac, ac)), ar));
        const __m256i m = _mm256_min_epi16(_mm256_add_epi16(_mm256_abs_epi16(gx), _mm256_abs_epi16(gy)), top);
        most = _mm256_max_epi16(most, m);
        const __m256i bytes = PackInOrder(m, m);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + k), _mm256_castsi256_si128(bytes));
    }
    // The largest of the sixteen lanes.
    __m128i v = _mm_max_epi16(_mm256_castsi256_si128(most), _mm256_extracti128_si256(most, 1));
    v = _mm_max_epi16(v, _mm_srli_si128(v, 8));
    v = _mm_max_epi16(v, _mm_srli_si128(v, 4));
    v = _mm_max_epi16(v, _mm_srli_si128(v, 2));
    const int lanes = _mm_cvtsi128_si32(v) & 0xFFFF;
    if (lanes > largest) largest = lanes;
    return k;
}

VIMBREL_AVX2 std::size_t StretchAvx2(uint8_t* magnitude, std::size_t n, int largest, const uint8_t shown[256]) {
    // m x 255 is exact in float, and a quotient's fraction is at least
    // 1 / largest from the next whole number; a factor a little above
    // 1 / largest keeps exact quotients from falling short. The table check
    // makes that sure for this frame's values.
    const float factor = (1.0f + 1.0f / 65536.0f) / static_cast<float>(largest);
    for (int m = 0; m <= largest; ++m) {
        if (static_cast<int>(static_cast<float>(m * 255) * factor) != shown[m]) return 0;
    }
    const __m256 times255 = _mm256_set1_ps(255.0f), scale = _mm256_set1_ps(factor);
    std::size_t i = 0;
    for (; i + 32 <= n; i += 32) {
        __m256i q[4];
        for (int part = 0; part < 4; ++part) {
            const __m256 v = _mm256_cvtepi32_ps(
                _mm256_cvtepu8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(magnitude + i + 8 * part))));
            q[part] = _mm256_cvttps_epi32(_mm256_mul_ps(_mm256_mul_ps(v, times255), scale));
        }
        const __m256i bytes = _mm256_packus_epi16(_mm256_packs_epi32(q[0], q[1]), _mm256_packs_epi32(q[2], q[3]));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(magnitude + i),
                            _mm256_permutevar8x32_epi32(bytes, _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7)));
    }
    return i;
}

}  // namespace vimbrel::effects::spatial

#else

namespace vimbrel::effects::spatial {
int ColumnSumsAvx2(const uint8_t*, const uint8_t*, const uint8_t*, int, uint16_t*) { return 0; }
int DespeckleRowAvx2(const uint8_t*, const uint16_t*, int, int, uint8_t*) { return 3; }
int SobelRowAvx2(const uint8_t*, const uint8_t*, const uint8_t*, int, uint8_t*, int&) { return 1; }
std::size_t StretchAvx2(uint8_t*, std::size_t, int, const uint8_t*) { return 0; }
}  // namespace vimbrel::effects::spatial

#endif
