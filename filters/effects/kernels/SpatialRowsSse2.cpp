// SSE2 paths of the neighbourhood stages (the baseline of every build on x86).

#include "kernels/SpatialRowsSimd.h"

#if defined(__SSE2__)
#include <emmintrin.h>

namespace vimbrel::effects::spatial {

int DespeckleRowSse2(const uint8_t* current, const uint16_t* columnSum, int end, int threshold, uint8_t* out) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i limit = _mm_set1_epi16(static_cast<int16_t>(threshold));
    const auto sums = [&](int at) {
        const auto load = [&](int i) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(columnSum + i)); };
        return _mm_add_epi16(_mm_add_epi16(load(at - 3), load(at)), load(at + 3));
    };
    // Eight values in 16-bit lanes: the mean of the eight neighbours where
    // it lies within the threshold, else the value.
    const auto half = [&](__m128i sum, __m128i value) {
        const __m128i mean = _mm_srli_epi16(_mm_sub_epi16(sum, value), 3);
        const __m128i d = _mm_sub_epi16(mean, value);
        const __m128i distance = _mm_max_epi16(d, _mm_sub_epi16(zero, d));
        const __m128i near = _mm_cmpgt_epi16(limit, distance);
        return _mm_or_si128(_mm_and_si128(near, mean), _mm_andnot_si128(near, value));
    };
    int i = 3;
    // Sixteen bytes a step; the sums are read three past the last one, which
    // the row's column sums still hold.
    for (; i + 16 <= end; i += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(current + i));
        const __m128i low = half(sums(i), _mm_unpacklo_epi8(bytes, zero));
        const __m128i high = half(sums(i + 8), _mm_unpackhi_epi8(bytes, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(low, high));
    }
    return i;
}

}  // namespace vimbrel::effects::spatial

#else

namespace vimbrel::effects::spatial {
int DespeckleRowSse2(const uint8_t*, const uint16_t*, int, int, uint8_t*) { return 3; }
}  // namespace vimbrel::effects::spatial

#endif
