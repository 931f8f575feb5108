// AVX2 halves of PixelRows: 32 pixels (96 bytes) per step, the SSSE3
// shuffles run on two 16-pixel blocks at once, one in each 128-bit half.
// Marked with their target so the rest of the program stays runnable on a
// processor with SSE2 only.

#include "kernels/PixelRowsSimd.h"

#if defined(__i386__) || defined(__x86_64__)
#include <immintrin.h>

#define VIMBREL_AVX2 __attribute__((target("avx2")))

namespace vimbrel::effects::rows {
namespace {

VIMBREL_AVX2 inline __m256i Mask(const int8_t* m) {
    return _mm256_broadcastsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i*>(m)));
}

VIMBREL_AVX2 inline __m256i Gather(const __m256i v[3], const int8_t (*masks)[16]) {
    return _mm256_or_si256(
        _mm256_or_si256(_mm256_shuffle_epi8(v[0], Mask(masks[0])), _mm256_shuffle_epi8(v[1], Mask(masks[1]))),
        _mm256_shuffle_epi8(v[2], Mask(masks[2])));
}

// 96 bytes as two blocks of 48: v[i] holds bytes 16i.. of the first block
// in its low half and of the second in its high half.
VIMBREL_AVX2 inline void Load(const uint8_t* p, __m256i v[3]) {
    const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32));
    const __m256i c = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 64));
    v[0] = _mm256_permute2x128_si256(a, b, 0x30);
    v[1] = _mm256_permute2x128_si256(a, c, 0x21);
    v[2] = _mm256_permute2x128_si256(b, c, 0x30);
}

VIMBREL_AVX2 inline void Store(uint8_t* p, const __m256i v[3]) {
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), _mm256_permute2x128_si256(v[0], v[1], 0x20));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(p + 32), _mm256_permute2x128_si256(v[2], v[0], 0x30));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(p + 64), _mm256_permute2x128_si256(v[1], v[2], 0x31));
}

// The grey of both blocks, sixteen bytes in each half (see the SSSE3 path).
VIMBREL_AVX2 inline __m256i GreyOf32(const __m256i v[3]) {
    const __m256i blueGreenWeights = _mm256_set1_epi16(static_cast<int16_t>(11 | 59 << 8));
    const __m256i redWeight = _mm256_set1_epi16(30);
    const __m256i hundredth = _mm256_set1_epi16(5243);
    __m256i half[2];
    for (int h = 0; h < 2; ++h) {
        const __m256i sum = _mm256_add_epi16(_mm256_maddubs_epi16(Gather(v, kRowMasks.blueGreen[h]), blueGreenWeights),
                                             _mm256_maddubs_epi16(Gather(v, kRowMasks.red[h]), redWeight));
        half[h] = _mm256_srli_epi16(_mm256_mulhi_epu16(sum, hundredth), 3);
    }
    return _mm256_packus_epi16(half[0], half[1]);
}

// (G >> 1) + (R >> 2) + (B >> 3) of both blocks (see the SSSE3 path).
VIMBREL_AVX2 inline __m256i ShiftedGreyOf32(const __m256i v[3]) {
    const __m256i lowByte = _mm256_set1_epi16(0xFF);
    __m256i half[2];
    for (int h = 0; h < 2; ++h) {
        const __m256i blueGreen = Gather(v, kRowMasks.blueGreen[h]);
        const __m256i red = Gather(v, kRowMasks.red[h]);
        half[h] = _mm256_add_epi16(_mm256_add_epi16(_mm256_srli_epi16(_mm256_and_si256(blueGreen, lowByte), 3),
                                                    _mm256_srli_epi16(blueGreen, 9)),
                                   _mm256_srli_epi16(red, 2));
    }
    return _mm256_packus_epi16(half[0], half[1]);
}

VIMBREL_AVX2 inline void StoreSpread(uint8_t* p, __m256i bytes) {
    __m256i out[3];
    for (int k = 0; k < 3; ++k) out[k] = _mm256_shuffle_epi8(bytes, Mask(kRowMasks.spread[k]));
    Store(p, out);
}

// 125 + clamp(3 (g - before), -124, 125) in 16-bit lanes. (A lambda would
// not carry the target, so this is a function of its own.)
VIMBREL_AVX2 inline __m256i EmbossOf16Lanes(__m256i g, __m256i before) {
    const __m256i d = _mm256_sub_epi16(g, before);
    const __m256i d3 = _mm256_add_epi16(_mm256_add_epi16(d, d), d);
    const __m256i high = _mm256_set1_epi16(125);
    return _mm256_add_epi16(_mm256_min_epi16(_mm256_max_epi16(d3, _mm256_set1_epi16(-124)), high), high);
}

VIMBREL_AVX2 inline __m256i EmbossOf32(__m256i grey, __m256i before) {
    const __m256i zero = _mm256_setzero_si256();
    return _mm256_packus_epi16(EmbossOf16Lanes(_mm256_unpacklo_epi8(grey, zero), _mm256_unpacklo_epi8(before, zero)),
                               EmbossOf16Lanes(_mm256_unpackhi_epi8(grey, zero), _mm256_unpackhi_epi8(before, zero)));
}

}  // namespace

namespace {

// 32 pixels reversed: each half's sixteen reversed, then the halves swapped.
VIMBREL_AVX2 inline void StoreReversed(uint8_t* p, const __m256i v[3]) {
    __m256i out[3];
    for (int k = 0; k < 3; ++k) {
        const __m256i r = Gather(v, kRowMasks.reverse[k]);
        out[k] = _mm256_permute2x128_si256(r, r, 0x01);
    }
    Store(p, out);
}

}  // namespace

VIMBREL_AVX2 int ReverseCopyAvx2(const uint8_t* src, uint8_t* dst, int n) {
    int p = 0;
    for (; p + 32 <= n; p += 32) {
        __m256i v[3];
        Load(src + 3 * (n - p - 32), v);
        StoreReversed(dst + 3 * p, v);
    }
    return p;
}

VIMBREL_AVX2 int GreyPixelsAvx2(uint8_t* row, int width) {
    int p = 0;
    for (; p + 32 <= width; p += 32) {
        __m256i v[3];
        Load(row + 3 * p, v);
        StoreSpread(row + 3 * p, GreyOf32(v));
    }
    return p;
}

VIMBREL_AVX2 int ShiftedGreyAvx2(const uint8_t* bgr, uint8_t* grey, int width) {
    int p = 0;
    for (; p + 32 <= width; p += 32) {
        __m256i v[3];
        Load(bgr + 3 * p, v);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(grey + p), ShiftedGreyOf32(v));
    }
    return p;
}

VIMBREL_AVX2 int SpreadGreyAvx2(const uint8_t* grey, uint8_t* bgr, int width) {
    int p = 0;
    for (; p + 32 <= width; p += 32) {
        StoreSpread(bgr + 3 * p, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(grey + p)));
    }
    return p;
}

VIMBREL_AVX2 int EmbossPixelsAvx2(uint8_t* row, int width, int& previousGrey) {
    int p = 0;
    __m256i last = _mm256_setzero_si256();  // the grey bytes of the step before
    for (; p + 32 <= width; p += 32) {
        __m256i v[3];
        Load(row + 3 * p, v);
        const __m256i grey = GreyOf32(v);
        // The block before each half: the last step's second block for the
        // low half, this step's first block for the high half. The row's
        // first pixel is measured against itself: 125.
        __m256i before = _mm256_permute2x128_si256(grey, last, 0x03);
        if (p == 0) before = _mm256_blend_epi32(before, _mm256_slli_si256(grey, 15), 0x0F);
        StoreSpread(row + 3 * p, EmbossOf32(grey, _mm256_alignr_epi8(grey, before, 15)));
        last = grey;
    }
    if (p > 0) previousGrey = (_mm256_extract_epi16(last, 15) >> 8) & 0xFF;
    return p;
}

}  // namespace vimbrel::effects::rows

#else

namespace vimbrel::effects::rows {
int ReverseCopyAvx2(const uint8_t*, uint8_t*, int) { return 0; }
int GreyPixelsAvx2(uint8_t*, int) { return 0; }
int SpreadGreyAvx2(const uint8_t*, uint8_t*, int) { return 0; }
int ShiftedGreyAvx2(const uint8_t*, uint8_t*, int) { return 0; }
int EmbossPixelsAvx2(uint8_t*, int, int&) { return 0; }
}  // namespace vimbrel::effects::rows

#endif
