#include "kernels/PixelPlanes.h"

#include "simd/SimdLevel.h"

#if defined(__i386__) || defined(__x86_64__)
#include <tmmintrin.h>
#define VIMBREL_PLANES_SSSE3 1
#endif

namespace vimbrel::effects {

void SplitPixelsPlain(const uint8_t* bgr, int16_t* b, int16_t* g, int16_t* r, int n) {
    for (int i = 0; i < n; ++i) {
        b[i] = bgr[3 * i];
        g[i] = bgr[3 * i + 1];
        r[i] = bgr[3 * i + 2];
    }
}

void JoinPixelsPlain(const int16_t* b, const int16_t* g, const int16_t* r, uint8_t* bgr, int n) {
    for (int i = 0; i < n; ++i) {
        bgr[3 * i] = static_cast<uint8_t>(b[i]);
        bgr[3 * i + 1] = static_cast<uint8_t>(g[i]);
        bgr[3 * i + 2] = static_cast<uint8_t>(r[i]);
    }
}

#if defined(VIMBREL_PLANES_SSSE3)
namespace {

// Byte shuffles between 48 bytes of pixels (three vectors) and sixteen bytes
// per channel; a lane marked -128 comes out zero.
struct ShuffleMasks {
    // split[c][v]: channel c's lanes that come from pixel vector v.
    alignas(16) int8_t split[3][3][16];
    // join[v][c]: pixel vector v's bytes that come from channel c.
    alignas(16) int8_t join[3][3][16];

    ShuffleMasks() {
        for (int c = 0; c < 3; ++c)
            for (int v = 0; v < 3; ++v)
                for (int i = 0; i < 16; ++i) {
                    const int at = 3 * i + c - 16 * v;  // channel c of pixel i
                    split[c][v][i] = static_cast<int8_t>(at >= 0 && at < 16 ? at : -128);
                    const int byte = 16 * v + i;  // channel byte % 3 of pixel byte / 3
                    join[v][c][i] = static_cast<int8_t>(byte % 3 == c ? byte / 3 : -128);
                }
    }
};

const ShuffleMasks kMasks;

__m128i Mask(const int8_t* m) { return _mm_load_si128(reinterpret_cast<const __m128i*>(m)); }

__attribute__((target("ssse3"))) int SplitSsse3(const uint8_t* bgr, int16_t* b, int16_t* g, int16_t* r, int n) {
    int16_t* planes[3] = {b, g, r};
    int i = 0;
    for (; i + 16 <= n; i += 16) {
        const __m128i v[3] = {_mm_loadu_si128(reinterpret_cast<const __m128i*>(bgr + 3 * i)),
                              _mm_loadu_si128(reinterpret_cast<const __m128i*>(bgr + 3 * i + 16)),
                              _mm_loadu_si128(reinterpret_cast<const __m128i*>(bgr + 3 * i + 32))};
        for (int c = 0; c < 3; ++c) {
            const __m128i bytes = _mm_or_si128(_mm_or_si128(_mm_shuffle_epi8(v[0], Mask(kMasks.split[c][0])),
                                                            _mm_shuffle_epi8(v[1], Mask(kMasks.split[c][1]))),
                                               _mm_shuffle_epi8(v[2], Mask(kMasks.split[c][2])));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(planes[c] + i), _mm_unpacklo_epi8(bytes, _mm_setzero_si128()));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(planes[c] + i + 8),
                             _mm_unpackhi_epi8(bytes, _mm_setzero_si128()));
        }
    }
    return i;
}

__attribute__((target("ssse3"))) int JoinSsse3(const int16_t* b, const int16_t* g, const int16_t* r, uint8_t* bgr,
                                               int n) {
    const int16_t* planes[3] = {b, g, r};
    int i = 0;
    for (; i + 16 <= n; i += 16) {
        __m128i bytes[3];
        for (int c = 0; c < 3; ++c) {
            bytes[c] = _mm_packus_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(planes[c] + i)),
                                        _mm_loadu_si128(reinterpret_cast<const __m128i*>(planes[c] + i + 8)));
        }
        for (int v = 0; v < 3; ++v) {
            const __m128i out = _mm_or_si128(_mm_or_si128(_mm_shuffle_epi8(bytes[0], Mask(kMasks.join[v][0])),
                                                          _mm_shuffle_epi8(bytes[1], Mask(kMasks.join[v][1]))),
                                             _mm_shuffle_epi8(bytes[2], Mask(kMasks.join[v][2])));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(bgr + 3 * i + 16 * v), out);
        }
    }
    return i;
}

bool HasSsse3() { return simd::ActiveSimdLevel() >= simd::SimdLevel::kSsse3; }

}  // namespace
#endif

void SplitPixels(const uint8_t* bgr, int16_t* b, int16_t* g, int16_t* r, int n) {
    int done = 0;
#if defined(VIMBREL_PLANES_SSSE3)
    if (HasSsse3()) done = SplitSsse3(bgr, b, g, r, n);
#endif
    SplitPixelsPlain(bgr + 3 * done, b + done, g + done, r + done, n - done);
}

void JoinPixels(const int16_t* b, const int16_t* g, const int16_t* r, uint8_t* bgr, int n) {
    int done = 0;
#if defined(VIMBREL_PLANES_SSSE3)
    if (HasSsse3()) done = JoinSsse3(b, g, r, bgr, n);
#endif
    JoinPixelsPlain(b + done, g + done, r + done, bgr + 3 * done, n - done);
}

}  // namespace vimbrel::effects
