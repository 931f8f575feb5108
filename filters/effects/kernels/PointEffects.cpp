#include "kernels/PointEffects.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstdint>
#include <vector>

#include "kernels/EffectIds.h"
#include "kernels/PixelPlanes.h"
#include "kernels/PixelRows.h"
#include "simd/SimdLevel.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vimbrel::effects {
namespace {

template <typename PixelFn>
void ForEachPixel(const RgbFrame& frame, PixelFn fn) {
    for (int r = 0; r < frame.height; ++r) {
        uint8_t* p = frame.Row(r);
        for (int k = 0; k < frame.width; ++k, p += 3) {
            fn(p);
        }
    }
}

// Clears the channels whose bit is set in `mask` (bit 0 blue, 1 green, 2 red).
void ClearChannels(const RgbFrame& frame, unsigned mask) {
    ForEachPixel(frame, [mask](uint8_t* p) {
        if (mask & 1u) p[0] = 0;
        if (mask & 2u) p[1] = 0;
        if (mask & 4u) p[2] = 0;
    });
}

}  // namespace

void KeepRedOnly(const RgbFrame& f) { ClearChannels(f, 1u | 2u); }
void KeepGreenOnly(const RgbFrame& f) { ClearChannels(f, 1u | 4u); }
void KeepBlueOnly(const RgbFrame& f) { ClearChannels(f, 2u | 4u); }
void DropRed(const RgbFrame& f) { ClearChannels(f, 4u); }
void DropBlue(const RgbFrame& f) { ClearChannels(f, 1u); }
void DropGreen(const RgbFrame& f) { ClearChannels(f, 2u); }

void Negative(const RgbFrame& frame) {
    ForEachPixel(frame, [](uint8_t* p) {
        p[0] = static_cast<uint8_t>(255 - p[0]);
        p[1] = static_cast<uint8_t>(255 - p[1]);
        p[2] = static_cast<uint8_t>(255 - p[2]);
    });
}

void Darken(const RgbFrame& frame) {
    ForEachPixel(frame, [](uint8_t* p) {
        p[0] >>= 1;
        p[1] >>= 1;
        p[2] >>= 1;
    });
}

namespace {

// One planar run of grey. 30 R + 59 G + 11 B stays below 25501, so 16-bit
// lanes hold it, and x / 100 = (x x 5243) >> 19 for every such x: 5243 /
// 2^19 exceeds 1/100 by less than 1/100 / 25500 of a unit.
void GreyRun(int16_t* b, int16_t* g, int16_t* r, int n) {
    int i = 0;
#if defined(__SSE2__)
    const __m128i by30 = OpaqueLanes(30), by59 = OpaqueLanes(59), by11 = OpaqueLanes(11),
                  byHundredth = _mm_set1_epi16(5243);
    for (; i + 8 <= n; i += 8) {
        const __m128i vb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i));
        const __m128i vg = _mm_loadu_si128(reinterpret_cast<const __m128i*>(g + i));
        const __m128i vr = _mm_loadu_si128(reinterpret_cast<const __m128i*>(r + i));
        const __m128i sum = _mm_add_epi16(_mm_add_epi16(_mm_mullo_epi16(vr, by30), _mm_mullo_epi16(vg, by59)),
                                          _mm_mullo_epi16(vb, by11));
        const __m128i grey = _mm_srli_epi16(_mm_mulhi_epu16(sum, byHundredth), 3);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(b + i), grey);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(g + i), grey);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(r + i), grey);
    }
#endif
    for (; i < n; ++i) {
        b[i] = g[i] = r[i] = static_cast<int16_t>((30 * r[i] + 59 * g[i] + 11 * b[i]) / 100);
    }
}

}  // namespace

void Grey(const RgbFrame& frame) {
    const simd::SimdLevel level = simd::ActiveSimdLevel();
    if (level == simd::SimdLevel::kPlain) {
        GreyReference(frame);
        return;
    }
    for (int row = 0; row < frame.height; ++row) {
        // With byte shuffles the grey is taken straight from the pixels;
        // SSE2 alone has none and works on 16-bit planes.
        if (level >= simd::SimdLevel::kSsse3) {
            GreyPixels(frame.Row(row), frame.width);
        } else {
            ForEachPlanarRun(frame.Row(row), frame.width,
                             [](int16_t* b, int16_t* g, int16_t* r, int n, int) { GreyRun(b, g, r, n); });
        }
    }
}

void GreyReference(const RgbFrame& frame) {
    ForEachPixel(frame, [](uint8_t* p) { p[0] = p[1] = p[2] = static_cast<uint8_t>(GreyOf(p)); });
}

void Posterize(const RgbFrame& frame) {
    ForEachPixel(frame, [](uint8_t* p) {
        p[0] &= 0xE0;
        p[1] &= 0xE0;
        p[2] &= 0xE0;
    });
}

namespace {

// Truncating division of a 16-bit value by a small constant as a multiply by
// round-up(65536 / divisor) keeping the high half, plus one for negative
// values: floor of a slightly enlarged quotient, moved to truncation. Exact
// over the ranges clear text produces (the tests compare every colour with
// the plain arithmetic); written so the compiler keeps it in 16-bit lanes.
template <int16_t kReciprocal>
inline int16_t DivideByReciprocal(int16_t x) {
    const int16_t floorQuotient = static_cast<int16_t>((static_cast<int32_t>(x) * kReciprocal) >> 16);
    return static_cast<int16_t>(floorQuotient - (x >> 15));
}

inline int16_t ClampToByte16(int16_t v) { return static_cast<int16_t>(v < 0 ? 0 : (v > 255 ? 255 : v)); }

// One planar run of clear text. Every intermediate fits 16 bits:
// k <= 255, 7 (R - k) within +-1785, 14 (B - k) within +-3570.
void ClearTextRun(int16_t* b, int16_t* g, int16_t* r, int n) {
    int i = 0;
#if defined(__SSE2__)
    // Eight pixels at a time: the high half of a signed 16-bit product is
    // the floor quotient above, and an arithmetic shift by 15 gives the
    // minus one to undo for negative values.
    const auto k = [](int v) { return _mm_set1_epi16(static_cast<int16_t>(v)); };
    const auto divide = [](__m128i x, __m128i reciprocal) {
        return _mm_sub_epi16(_mm_mulhi_epi16(x, reciprocal), _mm_srai_epi16(x, 15));
    };
    const __m128i zero = _mm_setzero_si128(), max = k(255);
    const auto clamp = [&](__m128i x) { return _mm_min_epi16(_mm_max_epi16(x, zero), max); };
    const __m128i by10 = k(6554), by25 = k(2622), by5 = k(13108), by3 = k(21846);
    for (; i + 8 <= n; i += 8) {
        const __m128i vb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i));
        const __m128i vg = _mm_loadu_si128(reinterpret_cast<const __m128i*>(g + i));
        const __m128i vr = _mm_loadu_si128(reinterpret_cast<const __m128i*>(r + i));
        const __m128i kk = divide(
            _mm_add_epi16(_mm_add_epi16(vb, _mm_mullo_epi16(vr, k(3))), _mm_mullo_epi16(vg, k(6))), by10);
        const __m128i dr = divide(_mm_mullo_epi16(_mm_sub_epi16(vr, kk), k(7)), by10);
        const __m128i db = divide(_mm_mullo_epi16(_mm_sub_epi16(vb, kk), k(14)), by25);
        const __m128i l = clamp(_mm_sub_epi16(_mm_add_epi16(kk, kk), k(128)));
        const __m128i dr7 = _mm_mullo_epi16(dr, k(7));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(r + i), clamp(_mm_add_epi16(l, divide(dr7, by5))));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(g + i),
                         clamp(_mm_sub_epi16(_mm_sub_epi16(l, divide(db, by3)), divide(dr7, by10))));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(b + i),
                         clamp(_mm_add_epi16(l, divide(_mm_mullo_epi16(db, k(9)), by5))));
    }
#endif
    for (; i < n; ++i) {
        const int16_t k = DivideByReciprocal<6554>(static_cast<int16_t>(b[i] + 3 * r[i] + 6 * g[i]));  // / 10
        const int16_t dr = DivideByReciprocal<6554>(static_cast<int16_t>(7 * (r[i] - k)));             // / 10
        const int16_t db = DivideByReciprocal<2622>(static_cast<int16_t>(14 * (b[i] - k)));            // / 25
        const int16_t l = ClampToByte16(static_cast<int16_t>(2 * k - 128));
        const int16_t dr7 = static_cast<int16_t>(7 * dr);
        r[i] = ClampToByte16(static_cast<int16_t>(l + DivideByReciprocal<13108>(dr7)));  // / 5
        g[i] = ClampToByte16(static_cast<int16_t>(l - DivideByReciprocal<21846>(db) -    // / 3
                                                  DivideByReciprocal<6554>(dr7)));       // / 10
        b[i] = ClampToByte16(static_cast<int16_t>(l + DivideByReciprocal<13108>(static_cast<int16_t>(9 * db))));
    }
}

}  // namespace

// Planar runs in 16-bit lanes, so the arithmetic vectorises; interleaved
// three-byte pixels defeat that.
void ClearText(const RgbFrame& frame) {
    for (int row = 0; row < frame.height; ++row) {
        ForEachPlanarRun(frame.Row(row), frame.width,
                         [](int16_t* b, int16_t* g, int16_t* r, int n, int) { ClearTextRun(b, g, r, n); });
    }
}

void ClearTextReference(const RgbFrame& frame) {
    ForEachPixel(frame, [](uint8_t* p) {
        const int b = p[0], g = p[1], r = p[2];
        const int k = (b + 3 * r + 6 * g) / 10;
        const int dr = 7 * (r - k) / 10;
        const int db = 14 * (b - k) / 25;
        const int l = ClampByte(2 * k - 128);
        p[2] = ClampByte(l + 7 * dr / 5);
        p[1] = ClampByte(l - db / 3 - 7 * dr / 10);
        p[0] = ClampByte(l + 9 * db / 5);
    });
}

void BlackWhite(const RgbFrame& frame, CScratch& scratch) {
    const std::size_t pixels = static_cast<std::size_t>(frame.width) * frame.height;
    uint8_t* grey = scratch.Bytes(0, pixels);
    uint64_t sum = 0;
    std::size_t i = 0;
    ForEachPixel(frame, [&](uint8_t* p) {
        grey[i] = static_cast<uint8_t>(GreyOf(p));
        sum += grey[i++];
    });
    if (pixels == 0) {
        return;
    }
    const uint64_t mean = sum / pixels;
    i = 0;
    ForEachPixel(frame, [&](uint8_t* p) {
        const uint8_t v = grey[i++] > mean ? 255 : 0;
        p[0] = p[1] = p[2] = v;
    });
}

namespace {

// The vignette's geometry for a frame: a = 2w / 9, span and the w / h ratio.
struct Vignette {
    int64_t a;
    int64_t span;
    float ratio;

    Vignette(int w, int h)
        : a(2 * static_cast<int64_t>(w) / 9),
          // Sizes are bounded by the buffer, but their squares need 64 bits.
          span(static_cast<int64_t>(
                   std::sqrt(static_cast<double>(static_cast<int64_t>(w) * w + static_cast<int64_t>(h) * h / 4))) -
               a),
          ratio(static_cast<float>(w) / static_cast<float>(h)) {}

    int64_t RowDy(int h, int row) const {
        return static_cast<int64_t>(ratio * static_cast<float>(std::abs(h / 2 - row)));
    }
    // How far a grey drops at a distance from the centre.
    int64_t Lowering(int64_t distance) const {
        if (distance <= a || span == 0) {
            return 0;
        }
        return std::max<int64_t>((distance - a) * 125 / span, 0);
    }
};

int64_t IntegerSqrt(int64_t n) {
    int64_t root = static_cast<int64_t>(std::sqrt(static_cast<double>(n)));
    while (root * root > n) --root;
    while ((root + 1) * (root + 1) <= n) ++root;
    return root;
}

// Sepia over planar runs in 16-bit lanes, `low` holding each pixel's
// lowering. The grey (299 R + 587 G + 114 B) / 1000 needs 18 bits; taken as
// ((37 R + 73 G + 14 B) + (3 R + 3 G + 2 B) / 8) / 125 (the eighths split
// off exactly, every part within 16 bits), it gives the same quotient. The
// divisions by 125 and 255 are multiplies keeping the high half, exact for
// every value they meet (below 31876 and 14281).
void SepiaRun(int16_t* b, int16_t* g, int16_t* r, const int16_t* low, int n) {
    int i = 0;
#if defined(__SSE2__)
    const auto k = [](int v) { return _mm_set1_epi16(static_cast<int16_t>(v)); };
    const auto by255 = [&](__m128i x) { return _mm_srli_epi16(_mm_mulhi_epu16(x, k(32897)), 7); };
    const __m128i by37 = OpaqueLanes(37), by73 = OpaqueLanes(73), by14 = OpaqueLanes(14), by56 = OpaqueLanes(56),
                  by49 = OpaqueLanes(49);
    for (; i + 8 <= n; i += 8) {
        const __m128i vb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i));
        const __m128i vg = _mm_loadu_si128(reinterpret_cast<const __m128i*>(g + i));
        const __m128i vr = _mm_loadu_si128(reinterpret_cast<const __m128i*>(r + i));
        const __m128i eighths = _mm_add_epi16(
            _mm_add_epi16(_mm_add_epi16(_mm_mullo_epi16(vr, by37), _mm_mullo_epi16(vg, by73)),
                          _mm_mullo_epi16(vb, by14)),
            _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_add_epi16(vr, vg), k(3)), _mm_add_epi16(vb, vb)), 3));
        const __m128i grey = _mm_srli_epi16(_mm_mulhi_epu16(eighths, k(33555)), 6);
        const __m128i d = _mm_max_epi16(_mm_sub_epi16(grey, _mm_loadu_si128(reinterpret_cast<const __m128i*>(low + i))),
                                        _mm_setzero_si128());
        _mm_storeu_si128(reinterpret_cast<__m128i*>(b + i), _mm_sub_epi16(d, by255(_mm_mullo_epi16(d, by56))));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(g + i), _mm_sub_epi16(d, by255(_mm_mullo_epi16(d, by14))));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(r + i),
                         _mm_add_epi16(by255(_mm_mullo_epi16(_mm_sub_epi16(k(255), d), by49)), d));
    }
#endif
    for (; i < n; ++i) {
        const int grey = std::max((299 * r[i] + 587 * g[i] + 114 * b[i]) / 1000 - low[i], 0);
        b[i] = static_cast<int16_t>(grey - grey * 56 / 255);
        g[i] = static_cast<int16_t>(grey - grey * 14 / 255);
        r[i] = static_cast<int16_t>((255 - grey) * 49 / 255 + grey);
    }
}

}  // namespace

void Sepia(const RgbFrame& frame) {
    const int w = frame.width, h = frame.height;
    if (w <= 0 || h <= 0) {
        return;
    }
    const Vignette vignette(w, h);
    // The lowering of every whole distance, once per frame (capped at 255,
    // which blackens any grey already).
    const int maxDx = std::max(w / 2, w - 1 - w / 2);
    const int64_t farthestDy = vignette.RowDy(h, 0) > vignette.RowDy(h, h - 1) ? vignette.RowDy(h, 0)
                                                                               : vignette.RowDy(h, h - 1);
    const int64_t farthest = IntegerSqrt(static_cast<int64_t>(maxDx) * maxDx + farthestDy * farthestDy);
    std::vector<int16_t> byDistance(static_cast<std::size_t>(farthest) + 1);
    for (int64_t distance = 0; distance <= farthest; ++distance) {
        byDistance[static_cast<std::size_t>(distance)] = static_cast<int16_t>(
            std::min<int64_t>(vignette.Lowering(distance), 255));
    }
    // Within a row the distance grows with |dx| alone, so one walk of the
    // integer square root (by differences of squares, no multiplies) gives
    // every column's lowering, with no square root per pixel. Rows equally
    // far from the middle share it, so they are done in pairs. Column j lies
    // |w / 2 - j| from the centre; the last slot takes column w, which
    // does not exist, and saves a test per column.
    const int centre = w / 2;
    std::vector<int16_t> rowLowering(static_cast<std::size_t>(w) + 1);
    for (int t = 0; h / 2 - t >= 0 || h / 2 + t < h; ++t) {
        const int below = h / 2 - t, above = h / 2 + t;
        const int64_t dy = vignette.RowDy(h, below >= 0 ? below : above);
        int64_t distance = dy, squared = dy * dy, nextSquare = (dy + 1) * (dy + 1);
        for (int dx = 0; dx <= centre; ++dx) {
            while (nextSquare <= squared) {
                ++distance;
                nextSquare += 2 * distance + 1;
            }
            const int16_t low = byDistance[static_cast<std::size_t>(distance)];
            rowLowering[static_cast<std::size_t>(centre - dx)] = low;
            rowLowering[static_cast<std::size_t>(centre + dx)] = low;
            squared += 2 * static_cast<int64_t>(dx) + 1;
        }
        const auto run = [&rowLowering](int16_t* b, int16_t* g, int16_t* r, int n, int start) {
            SepiaRun(b, g, r, rowLowering.data() + start, n);
        };
        if (below >= 0) {
            ForEachPlanarRun(frame.Row(below), w, run);
        }
        if (above < h && above != below) {
            ForEachPlanarRun(frame.Row(above), w, run);
        }
    }
}

void SepiaReference(const RgbFrame& frame) {
    const int w = frame.width, h = frame.height;
    if (w <= 0 || h <= 0) {
        return;
    }
    const Vignette vignette(w, h);
    for (int i = 0; i < h; ++i) {
        uint8_t* p = frame.Row(i);
        for (int j = 0; j < w; ++j, p += 3) {
            const int64_t dx = std::abs(w / 2 - j);
            const int64_t dy = vignette.RowDy(h, i);
            const int64_t distance = static_cast<int64_t>(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
            int64_t d = (299 * p[2] + 587 * p[1] + 114 * p[0]) / 1000;
            d -= vignette.Lowering(distance);
            const int grey = ClampByte(static_cast<int>(std::max<int64_t>(d, -1)));
            p[2] = static_cast<uint8_t>((255 - grey) * 49 / 255 + grey);
            p[1] = static_cast<uint8_t>(grey - grey * 14 / 255);
            p[0] = static_cast<uint8_t>(grey - grey * 56 / 255);
        }
    }
}

bool ApplyPointEffect(const RgbFrame& frame, int effectId, CScratch& scratch) {
    switch (effectId) {
    case kEffectRed: KeepRedOnly(frame); return true;
    case kEffectGreen: KeepGreenOnly(frame); return true;
    case kEffectBlue: KeepBlueOnly(frame); return true;
    case kEffectCyan: DropRed(frame); return true;
    case kEffectYellow: DropBlue(frame); return true;
    case kEffectMagenta: DropGreen(frame); return true;
    case kEffectNegative: Negative(frame); return true;
    case kEffectDarken: Darken(frame); return true;
    case kEffectGrey: Grey(frame); return true;
    case kEffectSepia: Sepia(frame); return true;
    case kEffectPosterize: Posterize(frame); return true;
    case kEffectClearText: ClearText(frame); return true;
    case kEffectBlackWhite: BlackWhite(frame, scratch); return true;
    default: return false;
    }
}

}  // namespace vimbrel::effects
