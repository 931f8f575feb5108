#pragma once
// Three-byte pixels split into 16-bit planes and joined back. Per-pixel
// arithmetic vectorises on planes, not on interleaved blue, green, red bytes;
// with SSSE3 (checked once at run time) sixteen pixels are split or joined by
// byte shuffles, otherwise pixel by pixel.

#include <algorithm>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vimbrel::effects {

// Pixels per run: the planes of one run stay in the first-level cache.
constexpr int kPlanarRun = 64;

// n pixels from bgr into b, g and r.
void SplitPixels(const uint8_t* bgr, int16_t* b, int16_t* g, int16_t* r, int n);
// n pixels back into bgr; every value must already lie in 0..255.
void JoinPixels(const int16_t* b, const int16_t* g, const int16_t* r, uint8_t* bgr, int n);

// The same one pixel at a time, whatever the processor.
void SplitPixelsPlain(const uint8_t* bgr, int16_t* b, int16_t* g, int16_t* r, int n);
void JoinPixelsPlain(const int16_t* b, const int16_t* g, const int16_t* r, uint8_t* bgr, int n);

#if defined(__SSE2__)
// Eight 16-bit lanes of v that the compiler may not look into. Given a
// multiply by a known constant, GCC spells the one instruction out as
// shifts and adds, often five or six of them; a multiplier made here stays
// one multiply. Make it before the loop that uses it.
inline __m128i OpaqueLanes(int16_t v) {
    __m128i lanes = _mm_set1_epi16(v);
#if defined(__GNUC__)
    __asm__("" : "+x"(lanes));
#endif
    return lanes;
}
#endif

// Runs run(b, g, r, n, firstColumn) over a row in planar runs of at most
// kPlanarRun pixels, writing the planes back after each run.
template <typename RunFn>
void ForEachPlanarRun(uint8_t* row, int width, RunFn run) {
    alignas(16) int16_t b[kPlanarRun], g[kPlanarRun], r[kPlanarRun];
    for (int start = 0; start < width; start += kPlanarRun) {
        const int n = std::min(kPlanarRun, width - start);
        uint8_t* p = row + 3 * start;
        SplitPixels(p, b, g, r, n);
        run(b, g, r, n, start);
        JoinPixels(b, g, r, p, n);
    }
}

}  // namespace vimbrel::effects
