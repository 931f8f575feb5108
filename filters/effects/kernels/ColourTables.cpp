#include "kernels/ColourTables.h"

#include <algorithm>
#include <cmath>
#include <cstring>

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

inline int Clamp255(int v) { return std::min(std::max(v, 0), 255); }

// The same arithmetic as BrightnessRoundTrip, on short planar runs the
// compiler can vectorise; interleaved three-byte pixels defeat it.
void ApplyBrightnessRow(uint8_t* row, int width, int offset) {
    constexpr int kRun = 64;
    int32_t b[kRun], g[kRun], r[kRun];
    for (int start = 0; start < width; start += kRun) {
        const int n = std::min(kRun, width - start);
        uint8_t* p = row + 3 * start;
        for (int i = 0; i < n; ++i) {
            b[i] = p[3 * i];
            g[i] = p[3 * i + 1];
            r[i] = p[3 * i + 2];
        }
        for (int i = 0; i < n; ++i) {
            const int y = Clamp255(((66 * r[i] + 129 * g[i] + 25 * b[i] + 128) >> 8) + 16 + offset);
            const int u = ((112 * b[i] - 38 * r[i] - 74 * g[i] + 128) >> 8) + 128;
            const int v = ((112 * r[i] - 94 * g[i] - 18 * b[i] + 128) >> 8) + 128;
            r[i] = Clamp255((298 * y + 409 * v - 56992) >> 8);
            g[i] = Clamp255((298 * y - 100 * u - 208 * v + 34784) >> 8);
            b[i] = Clamp255((298 * y + 516 * u - 70688) >> 8);
        }
        for (int i = 0; i < n; ++i) {
            p[3 * i] = static_cast<uint8_t>(b[i]);
            p[3 * i + 1] = static_cast<uint8_t>(g[i]);
            p[3 * i + 2] = static_cast<uint8_t>(r[i]);
        }
    }
}

void ApplyTablesRow(uint8_t* row, int width, const uint8_t* red, const uint8_t* green,
                    const uint8_t* blue) {
    for (int k = 0; k < width; ++k) {
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

void SetGammaAdjustment(ColourAdjustState& s, int brightness, int contrast, int gammaRed,
                        int gammaGreen, int gammaBlue) {
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
    if (s.gammaExponent[kRed] == s.gammaExponent[kGreen] &&
        s.gammaExponent[kRed] == s.gammaExponent[kBlue]) {
        BuildPowerTable(s.gammaExponent[kRed], kInverse255, s.gammaTable[kRed]);
        std::memcpy(s.gammaTable[kGreen], s.gammaTable[kRed], 256);
        std::memcpy(s.gammaTable[kBlue], s.gammaTable[kRed], 256);
        return;
    }
    for (int c = 0; c < 3; ++c) {
        BuildPowerTable(s.gammaExponent[c], kInverse255, s.gammaTable[c]);
    }
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

void ApplyChannelTables(const RgbFrame& frame, const uint8_t* red, const uint8_t* green,
                        const uint8_t* blue) {
    for (int r = 0; r < frame.height; ++r) {
        ApplyTablesRow(frame.Row(r), frame.width, red, green, blue);
    }
}

void ApplyFixedGamma(const RgbFrame& frame) {
    const uint8_t* t = FixedGammaTable();
    ApplyChannelTables(frame, t, t, t);
}

void ApplyColourAdjust(const RgbFrame& frame, const ColourAdjustState& s) {
    // Contrast and gamma are both lookups, so one composed table per channel
    // does the work of two passes.
    ChannelTable fused[3];
    const bool tables = s.contrastOn || s.gammaOn;
    if (tables) {
        for (int c = 0; c < 3; ++c) {
            for (int i = 0; i < 256; ++i) {
                const uint8_t afterContrast = s.contrastOn ? s.contrastTable[i] : static_cast<uint8_t>(i);
                fused[c][i] = s.gammaOn ? s.gammaTable[c][afterContrast] : afterContrast;
            }
        }
    }
    for (int r = 0; r < frame.height; ++r) {
        uint8_t* row = frame.Row(r);
        if (s.brightnessOn) {
            ApplyBrightnessRow(row, frame.width, s.brightnessOffset);
        }
        if (tables) {
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
