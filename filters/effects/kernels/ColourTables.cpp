#include "kernels/ColourTables.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "kernels/PixelPlanes.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vimbrel::effects {
namespace {

// The factor the tables use for 1/255, kept as the stages have always written it.
constexpr double kInverse255 = 0.003921569;

struct FixedGamma {
    uint8_t table[256];
    FixedGamma() {
        for (int i = 0; i < 256; ++i) {
            table[i] = static_cast<uint8_t>(std::lround(255.0 * std::pow(i / 255.0, 0.631)));
        }
    }
};

float GammaExponentFromSlider(int g) {
    const float e = static_cast<float>(std::pow(10.0, (50.0 - g) * 0.02));
    return std::clamp(e, 0.1f, 9.9f);
}

// The same arithmetic as BrightnessRoundTrip, rearranged so every step fits
// 16-bit lanes (eight pixels per vector instead of four). The products that
// overflow 16 bits are split: 298 Y = 256 Y + 42 Y, 409 V = 256 V + 153 V,
// 208 V = 256 V - 48 V, 516 U = 512 U + 4 U, and a multiple of 256 leaves an
// arithmetic shift by 8 as a whole number; 32768 = 128 x 256 moves the rest
// into range. Luma is a sum of positive terms up to 56228, so unsigned.
// Planar runs because interleaved three-byte pixels defeat vectorising.
void ApplyBrightnessRun(int16_t* b, int16_t* g, int16_t* r, int n, int16_t offset) {
    int i = 0;
#if defined(__SSE2__)
    // Eight pixels at a time, written out because the compiler widens the
    // loop below to 32-bit lanes. Multiplies keep the low 16 bits, which is
    // the wrap-around of the casts below.
    const auto k = [](int v) { return _mm_set1_epi16(static_cast<int16_t>(v)); };
    const __m128i zero = _mm_setzero_si128(), max = k(255);
    const __m128i by66 = OpaqueLanes(66), by129 = OpaqueLanes(129), by25 = OpaqueLanes(25), by112 = OpaqueLanes(112),
                  by38 = OpaqueLanes(38), by74 = OpaqueLanes(74), by94 = OpaqueLanes(94), by18 = OpaqueLanes(18),
                  by42 = OpaqueLanes(42), by153 = OpaqueLanes(153), by100 = OpaqueLanes(100), by48 = OpaqueLanes(48);
    for (; i + 8 <= n; i += 8) {
        const __m128i vb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i));
        const __m128i vg = _mm_loadu_si128(reinterpret_cast<const __m128i*>(g + i));
        const __m128i vr = _mm_loadu_si128(reinterpret_cast<const __m128i*>(r + i));
        const __m128i luma = _mm_add_epi16(_mm_add_epi16(_mm_mullo_epi16(vr, by66), _mm_mullo_epi16(vg, by129)),
                                           _mm_add_epi16(_mm_mullo_epi16(vb, by25), k(128)));
        const __m128i y = _mm_min_epi16(_mm_max_epi16(_mm_add_epi16(_mm_srli_epi16(luma, 8), k(16 + offset)), zero),
                                        max);
        const __m128i u = _mm_add_epi16(
            _mm_srai_epi16(
                _mm_add_epi16(_mm_sub_epi16(_mm_mullo_epi16(vb, by112),
                                            _mm_add_epi16(_mm_mullo_epi16(vr, by38), _mm_mullo_epi16(vg, by74))),
                              k(128)),
                8),
            k(128));
        const __m128i v = _mm_add_epi16(
            _mm_srai_epi16(
                _mm_add_epi16(_mm_sub_epi16(_mm_mullo_epi16(vr, by112),
                                            _mm_add_epi16(_mm_mullo_epi16(vg, by94), _mm_mullo_epi16(vb, by18))),
                              k(128)),
                8),
            k(128));
        const __m128i y42 = _mm_mullo_epi16(y, by42);
        const __m128i red = _mm_add_epi16(
            _mm_add_epi16(y, _mm_sub_epi16(v, k(128))),
            _mm_srai_epi16(_mm_add_epi16(_mm_add_epi16(y42, _mm_mullo_epi16(v, by153)), k(-24224)), 8));
        const __m128i green = _mm_add_epi16(
            _mm_add_epi16(_mm_sub_epi16(y, v), k(128)),
            _mm_srai_epi16(_mm_add_epi16(_mm_sub_epi16(y42, _mm_mullo_epi16(u, by100)),
                                         _mm_add_epi16(_mm_mullo_epi16(v, by48), k(2016))),
                           8));
        const __m128i blue = _mm_add_epi16(
            _mm_add_epi16(y, _mm_sub_epi16(_mm_add_epi16(u, u), k(276))),
            _mm_srai_epi16(_mm_add_epi16(_mm_add_epi16(y42, _mm_slli_epi16(u, 2)), k(-32)), 8));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(r + i), _mm_min_epi16(_mm_max_epi16(red, zero), max));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(g + i), _mm_min_epi16(_mm_max_epi16(green, zero), max));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(b + i), _mm_min_epi16(_mm_max_epi16(blue, zero), max));
    }
#endif
    for (; i < n; ++i) {
        const uint16_t luma = static_cast<uint16_t>(66 * r[i] + 129 * g[i] + 25 * b[i] + 128);
        int16_t y = static_cast<int16_t>((luma >> 8) + 16 + offset);
        y = static_cast<int16_t>(y < 0 ? 0 : (y > 255 ? 255 : y));
        const int16_t u = static_cast<int16_t>((static_cast<int16_t>(112 * b[i] - 38 * r[i] - 74 * g[i] + 128) >> 8) +
                                               128);
        const int16_t v = static_cast<int16_t>((static_cast<int16_t>(112 * r[i] - 94 * g[i] - 18 * b[i] + 128) >> 8) +
                                               128);
        const int16_t red = static_cast<int16_t>(y + v - 128 + (static_cast<int16_t>(42 * y + 153 * v - 24224) >> 8));
        const int16_t green = static_cast<int16_t>(y - v + 128 +
                                                   (static_cast<int16_t>(42 * y - 100 * u + 48 * v + 2016) >> 8));
        const int16_t blue = static_cast<int16_t>(y + 2 * u - 276 + (static_cast<int16_t>(42 * y + 4 * u - 32) >> 8));
        r[i] = static_cast<int16_t>(red < 0 ? 0 : (red > 255 ? 255 : red));
        g[i] = static_cast<int16_t>(green < 0 ? 0 : (green > 255 ? 255 : green));
        b[i] = static_cast<int16_t>(blue < 0 ? 0 : (blue > 255 ? 255 : blue));
    }
}

// Planes back into pixels through the channel tables (red, green, blue):
// the lookups write the bytes, so no separate join or second pass is needed.
void JoinThroughTables(const int16_t* b, const int16_t* g, const int16_t* r, const uint8_t* const* tables, uint8_t* bgr,
                       int n) {
    const uint8_t* red = tables[kRed];
    const uint8_t* green = tables[kGreen];
    const uint8_t* blue = tables[kBlue];
    int i = 0;
    // Four pixels per step: the loop's own counting would otherwise cost a
    // third as much as the lookups.
    for (; i + 4 <= n; i += 4, bgr += 12) {
        for (int j = 0; j < 4; ++j) {
            bgr[3 * j] = blue[b[i + j]];
            bgr[3 * j + 1] = green[g[i + j]];
            bgr[3 * j + 2] = red[r[i + j]];
        }
    }
    for (; i < n; ++i, bgr += 3) {
        bgr[0] = blue[b[i]];
        bgr[1] = green[g[i]];
        bgr[2] = red[r[i]];
    }
}

// Brightness on a row; with `tables` (red, green, blue) each result then
// goes through its channel's table on the way back into the row.
void ApplyBrightnessRow(uint8_t* row, int width, int offset, const uint8_t* const* tables) {
    alignas(16) int16_t b[kPlanarRun], g[kPlanarRun], r[kPlanarRun];
    for (int start = 0; start < width; start += kPlanarRun) {
        const int n = std::min(kPlanarRun, width - start);
        uint8_t* p = row + 3 * start;
        SplitPixels(p, b, g, r, n);
        ApplyBrightnessRun(b, g, r, n, static_cast<int16_t>(offset));
        if (tables) {
            JoinThroughTables(b, g, r, tables, p, n);
        } else {
            JoinPixels(b, g, r, p, n);
        }
    }
}

void ApplyTablesRow(uint8_t* row, int width, const uint8_t* red, const uint8_t* green, const uint8_t* blue) {
    int k = 0;
    // Four pixels per step, as in JoinThroughTables.
    for (; k + 4 <= width; k += 4) {
        uint8_t* p = row + 3 * k;
        for (int j = 0; j < 12; j += 3) {
            p[j] = blue[p[j]];
            p[j + 1] = green[p[j + 1]];
            p[j + 2] = red[p[j + 2]];
        }
    }
    for (; k < width; ++k) {
        uint8_t* p = row + 3 * k;
        p[0] = blue[p[0]];
        p[1] = green[p[1]];
        p[2] = red[p[2]];
    }
}

}  // namespace

ColourAdjustState::ColourAdjustState() {
    BuildIdentityTable(contrastTable);
    for (auto& t : gammaTable) {
        BuildIdentityTable(t);
    }
    for (auto& t : fusedTable) {
        BuildIdentityTable(t);
    }
}

const uint8_t* FixedGammaTable() {
    static const FixedGamma gamma;
    return gamma.table;
}

void BuildIdentityTable(ChannelTable& table) {
    for (int i = 0; i < 256; ++i) {
        table[i] = static_cast<uint8_t>(i);
    }
}

void BuildContrastTable(int a, ChannelTable& table) {
    if (a < 0) {
        // The range shrinks around the middle; a = -128 flattens it to 128.
        const float divisor = 255.0f / static_cast<float>(2 * a + 255);
        for (int i = 0; i < 256; ++i) {
            table[i] = ClampByte(static_cast<int>(static_cast<float>(i) / divisor) - a);
        }
        return;
    }
    // a..255 - a stretched over 0..255.
    const double span = (255 - 2 * a) * kInverse255;
    for (int i = 0; i < 256; ++i) {
        if (i <= a) {
            table[i] = 0;
        } else if (i >= 255 - a) {
            table[i] = 255;
        } else {
            table[i] = ClampByte(static_cast<int>((i - a) / span));
        }
    }
}

void BuildPowerTable(double exponent, double scale, ChannelTable& table) {
    for (int i = 0; i < 256; ++i) {
        const double v = std::pow(i * scale, exponent) * 255.0 + 0.5;
        table[i] = ClampByte(v >= 256.0 ? 256 : static_cast<int>(v));
    }
}

namespace {

void UpdateSwitchesAndTables(ColourAdjustState& s, int brightness, int contrast, int gammaRed, int gammaGreen,
                             int gammaBlue) {
    if (brightness == 50) {
        s.brightnessOn = false;
    } else {
        s.brightnessOn = true;
        s.brightnessOffset = ((std::clamp(brightness, 0, 100) - 50) * 128) / 50;
    }

    if (contrast == 50) {
        s.contrastOn = false;
    } else {
        s.contrastOn = true;
        s.contrastValue = std::clamp(contrast, 0, 100) * 255 / 100 - 128;
        BuildContrastTable(s.contrastValue, s.contrastTable);
    }

    if (gammaRed == 50 && gammaGreen == 50 && gammaBlue == 50) {
        s.gammaOn = false;
        return;
    }
    s.gammaOn = true;
    s.gammaExponent[kRed] = GammaExponentFromSlider(gammaRed);
    s.gammaExponent[kGreen] = GammaExponentFromSlider(gammaGreen);
    s.gammaExponent[kBlue] = GammaExponentFromSlider(gammaBlue);
    if (s.gammaExponent[kRed] == s.gammaExponent[kGreen] && s.gammaExponent[kRed] == s.gammaExponent[kBlue]) {
        BuildPowerTable(s.gammaExponent[kRed], kInverse255, s.gammaTable[kRed]);
        std::memcpy(s.gammaTable[kGreen], s.gammaTable[kRed], 256);
        std::memcpy(s.gammaTable[kBlue], s.gammaTable[kRed], 256);
        return;
    }
    for (int c = 0; c < 3; ++c) {
        BuildPowerTable(s.gammaExponent[c], kInverse255, s.gammaTable[c]);
    }
}

// Contrast and gamma are both lookups, so one composed table per channel
// does the work of two.
void ComposeTables(ColourAdjustState& s) {
    for (int c = 0; c < 3; ++c) {
        for (int i = 0; i < 256; ++i) {
            const uint8_t afterContrast = s.contrastOn ? s.contrastTable[i] : static_cast<uint8_t>(i);
            s.fusedTable[c][i] = s.gammaOn ? s.gammaTable[c][afterContrast] : afterContrast;
        }
    }
}

}  // namespace

void SetGammaAdjustment(ColourAdjustState& s, int brightness, int contrast, int gammaRed, int gammaGreen,
                        int gammaBlue) {
    UpdateSwitchesAndTables(s, brightness, contrast, gammaRed, gammaGreen, gammaBlue);
    ComposeTables(s);
}

void BrightnessRoundTrip(uint8_t* bgr, int offset) {
    const int b = bgr[0], g = bgr[1], r = bgr[2];
    const int y = ClampByte(((66 * r + 129 * g + 25 * b + 128) >> 8) + 16 + offset);
    const int u = ((112 * b - 38 * r - 74 * g + 128) >> 8) + 128;
    const int v = ((112 * r - 94 * g - 18 * b + 128) >> 8) + 128;
    bgr[2] = ClampByte((298 * y + 409 * v - 56992) >> 8);
    bgr[1] = ClampByte((298 * y - 100 * u - 208 * v + 34784) >> 8);
    bgr[0] = ClampByte((298 * y + 516 * u - 70688) >> 8);
}

void ApplyChannelTables(const RgbFrame& frame, const uint8_t* red, const uint8_t* green, const uint8_t* blue) {
    for (int r = 0; r < frame.height; ++r) {
        ApplyTablesRow(frame.Row(r), frame.width, red, green, blue);
    }
}

void ApplyFixedGamma(const RgbFrame& frame) {
    const uint8_t* t = FixedGammaTable();
    ApplyChannelTables(frame, t, t, t);
}

void ApplyColourAdjust(const RgbFrame& frame, const ColourAdjustState& s) {
    const bool tables = s.contrastOn || s.gammaOn;
    const ChannelTable* fused = s.fusedTable;
    const uint8_t* const fusedTables[3] = {fused[kRed], fused[kGreen], fused[kBlue]};
    for (int r = 0; r < frame.height; ++r) {
        uint8_t* row = frame.Row(r);
        if (s.brightnessOn) {
            ApplyBrightnessRow(row, frame.width, s.brightnessOffset, tables ? fusedTables : nullptr);
        } else if (tables) {
            ApplyTablesRow(row, frame.width, fused[kRed], fused[kGreen], fused[kBlue]);
        }
    }
}

void ApplyColourAdjustReference(const RgbFrame& frame, const ColourAdjustState& s) {
    for (int r = 0; r < frame.height; ++r) {
        uint8_t* row = frame.Row(r);
        for (int k = 0; k < frame.width; ++k) {
            uint8_t* p = row + 3 * k;
            if (s.brightnessOn) {
                BrightnessRoundTrip(p, s.brightnessOffset);
            }
            if (s.contrastOn) {
                for (int c = 0; c < 3; ++c) {
                    p[c] = s.contrastTable[p[c]];
                }
            }
            if (s.gammaOn) {
                p[0] = s.gammaTable[kBlue][p[0]];
                p[1] = s.gammaTable[kGreen][p[1]];
                p[2] = s.gammaTable[kRed][p[2]];
            }
        }
    }
}

}  // namespace vimbrel::effects
