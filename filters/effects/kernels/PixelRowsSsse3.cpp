// SSSE3 halves of PixelRows: sixteen pixels (48 bytes, three vectors) per
// step, regrouped by byte shuffles. Marked with their target so the rest of
// the program stays runnable on a processor with SSE2 only.

#include "kernels/PixelRowsSimd.h"

#if defined(__i386__) || defined(__x86_64__)
#include <tmmintrin.h>
#include <xmmintrin.h>

#include <cstddef>

#define VIMBREL_SSSE3 __attribute__((target("ssse3")))

namespace vimbrel::effects::rows {
namespace {

VIMBREL_SSSE3 inline __m128i Mask(const int8_t* m) { return _mm_load_si128(reinterpret_cast<const __m128i*>(m)); }

VIMBREL_SSSE3 inline __m128i Gather(const __m128i v[3], const int8_t (*masks)[16]) {
    return _mm_or_si128(_mm_or_si128(_mm_shuffle_epi8(v[0], Mask(masks[0])), _mm_shuffle_epi8(v[1], Mask(masks[1]))),
                        _mm_shuffle_epi8(v[2], Mask(masks[2])));
}

VIMBREL_SSSE3 inline void Load(const uint8_t* p, __m128i v[3]) {
    for (int i = 0; i < 3; ++i) v[i] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * i));
}

// The grey of sixteen pixels: 11 B + 59 G by one multiply-add of byte
// pairs, 30 R by another (at most 25500, inside 16 signed bits), then / 100
// as (x * 5243) >> 19, exact below 25501.
VIMBREL_SSSE3 inline __m128i GreyOf16(const __m128i v[3]) {
    const __m128i blueGreenWeights = _mm_set1_epi16(static_cast<int16_t>(11 | 59 << 8));
    const __m128i redWeight = _mm_set1_epi16(30);
    const __m128i hundredth = _mm_set1_epi16(5243);
    __m128i half[2];
    for (int h = 0; h < 2; ++h) {
        const __m128i sum = _mm_add_epi16(_mm_maddubs_epi16(Gather(v, kRowMasks.blueGreen[h]), blueGreenWeights),
                                          _mm_maddubs_epi16(Gather(v, kRowMasks.red[h]), redWeight));
        half[h] = _mm_srli_epi16(_mm_mulhi_epu16(sum, hundredth), 3);
    }
    return _mm_packus_epi16(half[0], half[1]);
}

// (G >> 1) + (R >> 2) + (B >> 3) of sixteen pixels: from blue-green pairs
// (blue in the low byte of each 16-bit lane) and red in the low bytes.
VIMBREL_SSSE3 inline __m128i ShiftedGreyOf16(const __m128i v[3]) {
    const __m128i lowByte = _mm_set1_epi16(0xFF);
    __m128i half[2];
    for (int h = 0; h < 2; ++h) {
        const __m128i blueGreen = Gather(v, kRowMasks.blueGreen[h]);
        const __m128i red = Gather(v, kRowMasks.red[h]);
        half[h] = _mm_add_epi16(
            _mm_add_epi16(_mm_srli_epi16(_mm_and_si128(blueGreen, lowByte), 3), _mm_srli_epi16(blueGreen, 9)),
            _mm_srli_epi16(red, 2));
    }
    return _mm_packus_epi16(half[0], half[1]);
}

// Sixteen bytes, each written to the three channels of its pixel.
VIMBREL_SSSE3 inline void StoreSpread(uint8_t* p, __m128i bytes) {
    for (int k = 0; k < 3; ++k)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p + 16 * k), _mm_shuffle_epi8(bytes, Mask(kRowMasks.spread[k])));
}

// 125 + clamp(3 (g - before), -124, 125) in 16-bit lanes.
VIMBREL_SSSE3 inline __m128i EmbossOf8Lanes(__m128i g, __m128i before) {
    const __m128i d = _mm_sub_epi16(g, before);
    const __m128i d3 = _mm_add_epi16(_mm_add_epi16(d, d), d);
    const __m128i high = _mm_set1_epi16(125);
    return _mm_add_epi16(_mm_min_epi16(_mm_max_epi16(d3, _mm_set1_epi16(-124)), high), high);
}

VIMBREL_SSSE3 inline __m128i EmbossOf16(__m128i grey, __m128i before) {
    const __m128i zero = _mm_setzero_si128();
    return _mm_packus_epi16(EmbossOf8Lanes(_mm_unpacklo_epi8(grey, zero), _mm_unpacklo_epi8(before, zero)),
                            EmbossOf8Lanes(_mm_unpackhi_epi8(grey, zero), _mm_unpackhi_epi8(before, zero)));
}

}  // namespace

namespace {

VIMBREL_SSSE3 inline void StoreReversed(uint8_t* p, const __m128i v[3]) {
    for (int k = 0; k < 3; ++k)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p + 16 * k), Gather(v, kRowMasks.reverse[k]));
}

// A block of sixteen pixels as three windows of five (from bytes 0, 15 and
// 30) and its last pixel (from byte 32): one shuffle each turns it round.
VIMBREL_SSSE3 inline void LoadWindows(const uint8_t* p, __m128i v[4]) {
    v[0] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    v[1] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 15));
    v[2] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 30));
    v[3] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 32));
}

// The shuffles that turn a block of windows round: five pixels, and the
// last pixel with the five bytes after it. Held in registers for a whole
// row: read through kRowMasks at every block, they would be read again
// after every store, which the compiler must take as a possible change.
struct WindowMasks {
    __m128i five;
    __m128i last;
};

VIMBREL_SSSE3 inline WindowMasks LoadWindowMasks() {
    return WindowMasks{Mask(kRowMasks.reverseFive), Mask(kRowMasks.reverseLast)};
}

// Each reversed window goes out with a spare byte in front, which the next
// store, one window further down, overwrites; the last pixel goes out with
// the five bytes after it, their own values again. So a block writes its
// own 48 bytes only.
VIMBREL_SSSE3 inline void StoreWindowsReversed(uint8_t* p, const __m128i v[4], const WindowMasks& m) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p + 32), _mm_shuffle_epi8(v[0], m.five));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p + 17), _mm_shuffle_epi8(v[1], m.five));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p + 2), _mm_shuffle_epi8(v[2], m.five));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(p), _mm_shuffle_epi8(v[3], m.last));
}

// A block from `left` and one from `right` exchanged, each reversed. Both
// are read before either is written, so the two may overlap: a pixel both
// write gets the same value from each.
VIMBREL_SSSE3 inline void SwapReversedBlock(uint8_t* left, uint8_t* right, const WindowMasks& m) {
    __m128i l[4], r[4];
    LoadWindows(left, l);
    LoadWindows(right, r);
    StoreWindowsReversed(left, r, m);
    StoreWindowsReversed(right, l, m);
}

// `blocks` steps, each exchanging a block from a's start and one from b's
// end. With a == b, the row's two halves. With `ahead`, the same bytes that
// far away are fetched meanwhile: a row reversed on its own walks two
// streams of half a row each, one of them downwards, too short for the
// processor's own prefetch to pick up at every row. A 48-byte step fetches
// each 64-byte line at least once.
VIMBREL_SSSE3 inline void SwapReversedBlocks(uint8_t* a, uint8_t* b, int width, int blocks, std::ptrdiff_t ahead) {
    const WindowMasks m = LoadWindowMasks();
    for (int p = 0; p < 16 * blocks; p += 16) {
        uint8_t* left = a + 3 * p;
        uint8_t* right = b + 3 * (width - p - 16);
        if (ahead != 0) {
            _mm_prefetch(reinterpret_cast<const char*>(left + ahead), _MM_HINT_T0);
            _mm_prefetch(reinterpret_cast<const char*>(right + ahead + 47), _MM_HINT_T0);
        }
        SwapReversedBlock(left, right, m);
    }
}

}  // namespace

VIMBREL_SSSE3 int ReverseRowsSsse3(uint8_t* first, std::ptrdiff_t stride, int count, int width) {
    const int blocks = width / 32;
    const int done = 16 * blocks;
    // A middle of 16 to 31 pixels: one more step, its blocks overlapping.
    const bool middle = width - 2 * done >= 16;
    const WindowMasks m = LoadWindowMasks();
    uint8_t* row = first;
    for (int r = 0; r < count; ++r, row += stride) {
        SwapReversedBlocks(row, row, width, blocks, r + 1 < count ? stride : 0);
        if (middle) SwapReversedBlock(row + 3 * done, row + 3 * (width - done - 16), m);
    }
    return middle ? width / 2 : done;
}

VIMBREL_SSSE3 int ReverseCopySsse3(const uint8_t* src, uint8_t* dst, int n) {
    int p = 0;
    for (; p + 16 <= n; p += 16) {
        __m128i v[3];
        Load(src + 3 * (n - p - 16), v);
        StoreReversed(dst + 3 * p, v);
    }
    return p;
}

VIMBREL_SSSE3 int ReverseSwapRowsSsse3(uint8_t* a, uint8_t* b, int width) {
    SwapReversedBlocks(a, b, width, width / 16, 0);
    return 16 * (width / 16);
}

VIMBREL_SSSE3 int GreyPixelsSsse3(uint8_t* row, int width) {
    int p = 0;
    for (; p + 16 <= width; p += 16) {
        __m128i v[3];
        Load(row + 3 * p, v);
        StoreSpread(row + 3 * p, GreyOf16(v));
    }
    return p;
}

VIMBREL_SSSE3 int ShiftedGreySsse3(const uint8_t* bgr, uint8_t* grey, int width) {
    int p = 0;
    for (; p + 16 <= width; p += 16) {
        __m128i v[3];
        Load(bgr + 3 * p, v);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(grey + p), ShiftedGreyOf16(v));
    }
    return p;
}

VIMBREL_SSSE3 int SpreadGreySsse3(const uint8_t* grey, uint8_t* bgr, int width) {
    int p = 0;
    for (; p + 16 <= width; p += 16) {
        StoreSpread(bgr + 3 * p, _mm_loadu_si128(reinterpret_cast<const __m128i*>(grey + p)));
    }
    return p;
}

VIMBREL_SSSE3 int EmbossPixelsSsse3(uint8_t* row, int width, int& previousGrey) {
    int p = 0;
    __m128i last = _mm_setzero_si128();  // the grey bytes of the block before
    for (; p + 16 <= width; p += 16) {
        __m128i v[3];
        Load(row + 3 * p, v);
        const __m128i grey = GreyOf16(v);
        // The first pixel of the row is measured against itself: 125.
        if (p == 0) last = _mm_slli_si128(grey, 15);
        StoreSpread(row + 3 * p, EmbossOf16(grey, _mm_alignr_epi8(grey, last, 15)));
        last = grey;
    }
    if (p > 0) previousGrey = (_mm_extract_epi16(last, 7) >> 8) & 0xFF;
    return p;
}

}  // namespace vimbrel::effects::rows

#else

namespace vimbrel::effects::rows {
int ReverseRowsSsse3(uint8_t*, std::ptrdiff_t, int, int) { return 0; }
int ReverseSwapRowsSsse3(uint8_t*, uint8_t*, int) { return 0; }
int ReverseCopySsse3(const uint8_t*, uint8_t*, int) { return 0; }
int GreyPixelsSsse3(uint8_t*, int) { return 0; }
int SpreadGreySsse3(const uint8_t*, uint8_t*, int) { return 0; }
int ShiftedGreySsse3(const uint8_t*, uint8_t*, int) { return 0; }
int EmbossPixelsSsse3(uint8_t*, int, int&) { return 0; }
}  // namespace vimbrel::effects::rows

#endif
