// Byte shuffles for the zooms: the bilinear zoom's weighing (sixteen
// channels gathered from one 16-byte window per block, then multiplied as
// the plain code does) and the nearest zoom's gather, 16 output bytes from
// one window per block.
// Marked with its target so the rest stays runnable with SSE2 only.

#include "kernels/ZoomRowsSimd.h"

#if defined(__i386__) || defined(__x86_64__)
#include <tmmintrin.h>

namespace vimbrel::effects::zoomrows {

__attribute__((target("ssse3"))) void WeighLinearBlocksSsse3(const uint8_t* src, const LinearBlock* plan, int blocks,
                                                             float* pixel, float* neighbour) {
    const __m128i zero = _mm_setzero_si128();
    float* const outs[2] = {pixel, neighbour};
    for (int j = 0; j < blocks; ++j) {
        const LinearBlock& b = plan[j];
        for (int side = 0; side < 2; ++side) {
            const __m128i bytes = _mm_shuffle_epi8(
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + b.base[side])),
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(b.shuffle[side])));
            const __m128i low = _mm_unpacklo_epi8(bytes, zero), high = _mm_unpackhi_epi8(bytes, zero);
            const __m128i words[4] = {_mm_unpacklo_epi16(low, zero), _mm_unpackhi_epi16(low, zero),
                                      _mm_unpacklo_epi16(high, zero), _mm_unpackhi_epi16(high, zero)};
            float* out = outs[side] + 16 * j;
            for (int q = 0; q < 4; ++q) {
                _mm_storeu_ps(out + 4 * q, _mm_mul_ps(_mm_cvtepi32_ps(words[q]), _mm_loadu_ps(b.weight[side] + 4 * q)));
            }
        }
    }
}

__attribute__((target("ssse3"))) void GatherNearestBlocksSsse3(const uint8_t* src, const int32_t* base,
                                                               const int8_t* shuffle, int blocks, uint8_t* out) {
    for (int j = 0; j < blocks; ++j) {
        const __m128i window = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + base[j]));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 16 * j),
                         _mm_shuffle_epi8(window, _mm_loadu_si128(reinterpret_cast<const __m128i*>(shuffle + 16 * j))));
    }
}

}  // namespace vimbrel::effects::zoomrows

#else

namespace vimbrel::effects::zoomrows {
void WeighLinearBlocksSsse3(const uint8_t*, const LinearBlock*, int, float*, float*) {}
void GatherNearestBlocksSsse3(const uint8_t*, const int32_t*, const int8_t*, int, uint8_t*) {}
}  // namespace vimbrel::effects::zoomrows

#endif
