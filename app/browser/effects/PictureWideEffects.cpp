#include "effects/PictureWideEffects.h"

#include <cmath>

namespace vimbrel::browser {
namespace {

// Exact sums in 64 bits: 255 per pixel overflows 32 bits from about 16
// million pixels, well within what a camera saves.
struct ChannelSums {
    uint64_t blue = 0, green = 0, red = 0;
};

ChannelSums SumChannels(const BgrxImage& image) {
    ChannelSums sums;
    for (int y = 0; y < image.height; ++y) {
        const uint8_t* p = image.Row(y);
        uint64_t blue = 0, green = 0, red = 0;
        for (int x = 0; x < image.width; ++x, p += 4) {
            blue += p[0];
            green += p[1];
            red += p[2];
        }
        sums.blue += blue;
        sums.green += green;
        sums.red += red;
    }
    return sums;
}

float MeanOf(uint64_t sum, std::size_t count) {
    return static_cast<float>(static_cast<double>(sum) / static_cast<double>(count));
}

float GainFor(float luma, float channelMean) {
    constexpr float kLowest = 0.6f, kHighest = 1.67f;
    // A channel that is zero everywhere has no mean to divide by; its
    // pixels stay 0 whatever the gain, so take the bound the quotient
    // would have reached (infinite gain, or 0 / 0 which counts as the low
    // bound) without dividing.
    if (!(channelMean > 0.0f)) {
        return luma > 0.0f ? kHighest : kLowest;
    }
    const float gain = std::pow(luma / channelMean, 1.2f);
    if (std::isnan(gain) || gain < kLowest) {
        return kLowest;
    }
    return gain > kHighest ? kHighest : gain;
}

}  // namespace

void BlackWhite(const BgrxImage& image) {
    const std::size_t count = image.PixelCount();
    if (count == 0) {
        return;
    }
    uint64_t sum = 0;
    for (int y = 0; y < image.height; ++y) {
        const uint8_t* p = image.Row(y);
        uint64_t rowSum = 0;
        for (int x = 0; x < image.width; ++x, p += 4) {
            rowSum += static_cast<uint64_t>(GrayOf(p));
        }
        sum += rowSum;
    }
    const float mean = MeanOf(sum, count);
    for (int y = 0; y < image.height; ++y) {
        uint8_t* p = image.Row(y);
        for (int x = 0; x < image.width; ++x, p += 4) {
            const uint8_t v = static_cast<float>(GrayOf(p)) > mean ? 255 : 0;
            p[0] = p[1] = p[2] = v;
        }
    }
}

ColourBalanceGains MeasureColourBalance(const BgrxImage& image) {
    ColourBalanceGains gains;
    const std::size_t count = image.PixelCount();
    if (count == 0) {
        return gains;
    }
    const ChannelSums sums = SumChannels(image);
    const float blue = MeanOf(sums.blue, count);
    const float green = MeanOf(sums.green, count);
    const float red = MeanOf(sums.red, count);
    const float weighted = 114.0f * blue + 587.0f * green + 299.0f * red;
    const float luma = weighted * 0.001f;
    gains.blue = GainFor(luma, blue);
    gains.green = GainFor(luma, green);
    gains.red = GainFor(luma, red);
    return gains;
}

std::array<uint8_t, 256> ColourBalanceTable(float gain) {
    std::array<uint8_t, 256> table{};
    for (int v = 0; v < 256; ++v) {
        // Rounded to single precision after each step: the product of 50
        // and the top gain 1.67 must come to 83.5, not 83.49999.
        const float scaled = static_cast<float>(v) * gain;
        const float rounded = scaled + 0.5f;
        table[v] = ClampByte(static_cast<int>(rounded));
    }
    return table;
}

void ColourBalance(const BgrxImage& image) {
    const ColourBalanceGains gains = MeasureColourBalance(image);
    const auto blue = ColourBalanceTable(gains.blue);
    const auto green = ColourBalanceTable(gains.green);
    const auto red = ColourBalanceTable(gains.red);
    for (int y = 0; y < image.height; ++y) {
        uint8_t* p = image.Row(y);
        for (int x = 0; x < image.width; ++x, p += 4) {
            p[0] = blue[p[0]];
            p[1] = green[p[1]];
            p[2] = red[p[2]];
        }
    }
}

}  // namespace vimbrel::browser
