#include "kernels/PointEffects.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstdint>
#include <vector>

#include "kernels/EffectIds.h"

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

void Grey(const RgbFrame& frame) {
    ForEachPixel(frame, [](uint8_t* p) { p[0] = p[1] = p[2] = static_cast<uint8_t>(GreyOf(p)); });
}

void Posterize(const RgbFrame& frame) {
    ForEachPixel(frame, [](uint8_t* p) {
        p[0] &= 0xE0;
        p[1] &= 0xE0;
        p[2] &= 0xE0;
    });
}

// Short planar runs in 16-bit lanes: every intermediate fits, and the
// divisions by constants then vectorise; interleaved pixels defeat that.
void ClearText(const RgbFrame& frame) {
    constexpr int kRun = 64;
    int16_t b[kRun], g[kRun], r[kRun];
    for (int row = 0; row < frame.height; ++row) {
        uint8_t* line = frame.Row(row);
        for (int start = 0; start < frame.width; start += kRun) {
            const int n = std::min(kRun, frame.width - start);
            uint8_t* p = line + 3 * start;
            for (int i = 0; i < n; ++i) {
                b[i] = p[3 * i];
                g[i] = p[3 * i + 1];
                r[i] = p[3 * i + 2];
            }
            for (int i = 0; i < n; ++i) {
                const int16_t k = static_cast<int16_t>((b[i] + 3 * r[i] + 6 * g[i]) / 10);
                const int16_t dr = static_cast<int16_t>(7 * (r[i] - k) / 10);
                const int16_t db = static_cast<int16_t>(14 * (b[i] - k) / 25);
                const int16_t l = static_cast<int16_t>(std::min(std::max(2 * k - 128, 0), 255));
                r[i] = static_cast<int16_t>(std::min(std::max(l + 7 * dr / 5, 0), 255));
                g[i] = static_cast<int16_t>(std::min(std::max(l - db / 3 - 7 * dr / 10, 0), 255));
                b[i] = static_cast<int16_t>(std::min(std::max(l + 9 * db / 5, 0), 255));
            }
            for (int i = 0; i < n; ++i) {
                p[3 * i] = static_cast<uint8_t>(b[i]);
                p[3 * i + 1] = static_cast<uint8_t>(g[i]);
                p[3 * i + 2] = static_cast<uint8_t>(r[i]);
            }
        }
    }
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

void Sepia(const RgbFrame& frame) {
    const int w = frame.width, h = frame.height;
    if (w <= 0 || h <= 0) {
        return;
    }
    // The tone depends only on the darkened grey and the darkening only on the
    // distance from the centre, so both come from tables built per frame.
    uint8_t tone[256][3];
    for (int d = 0; d < 256; ++d) {
        tone[d][0] = static_cast<uint8_t>(d - d * 56 / 255);
        tone[d][1] = static_cast<uint8_t>(d - d * 14 / 255);
        tone[d][2] = static_cast<uint8_t>((255 - d) * 49 / 255 + d);
    }
    // Sizes are bounded by the buffer, but their squares need 64 bits.
    const int64_t a = 2 * static_cast<int64_t>(w) / 9;
    const int64_t span = static_cast<int64_t>(std::sqrt(static_cast<double>(
                             static_cast<int64_t>(w) * w + static_cast<int64_t>(h) * h / 4))) - a;
    const float ratio = static_cast<float>(w) / static_cast<float>(h);
    const int64_t farDx = std::max(w / 2, w - 1 - w / 2);
    const int64_t farDy = static_cast<int64_t>(ratio * static_cast<float>(std::max(h / 2, h - 1 - h / 2)));
    const int64_t farthest = static_cast<int64_t>(std::sqrt(static_cast<double>(farDx * farDx + farDy * farDy)));
    std::vector<int> lowering(static_cast<std::size_t>(std::max<int64_t>(farthest, a) + 1), 0);
    for (int64_t distance = a + 1; distance <= farthest; ++distance) {
        const int64_t lower = (distance - a) * 125 / span;
        lowering[static_cast<std::size_t>(distance)] = static_cast<int>(lower > 1000 ? 1000 : lower);
    }
    const int64_t untouched = (a + 1) * (a + 1);  // squared distances below this stay within a

    for (int i = 0; i < h; ++i) {
        uint8_t* p = frame.Row(i);
        const int64_t dy = static_cast<int64_t>(ratio * static_cast<float>(std::abs(h / 2 - i)));
        for (int j = 0; j < w; ++j, p += 3) {
            const int64_t dx = std::abs(w / 2 - j);
            const int64_t squared = dx * dx + dy * dy;
            int d = (299 * p[2] + 587 * p[1] + 114 * p[0]) / 1000;
            if (squared >= untouched) {
                const int64_t distance = std::min<int64_t>(
                    static_cast<int64_t>(std::sqrt(static_cast<double>(squared))), farthest);
                d = ClampByte(d - lowering[static_cast<std::size_t>(distance)]);
            }
            p[0] = tone[d][0];
            p[1] = tone[d][1];
            p[2] = tone[d][2];
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
