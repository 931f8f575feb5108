// The bilinear zoom's weighing by byte shuffles: sixteen channels gathered
// from one 16-byte window per block, then multiplied as the plain code does.
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

}  // namespace vimbrel::effects::zoomrows

#else

namespace vimbrel::effects::zoomrows {
void WeighLinearBlocksSsse3(const uint8_t*, const LinearBlock*, int, float*, float*) {}
}  // namespace vimbrel::effects::zoomrows

#endif
