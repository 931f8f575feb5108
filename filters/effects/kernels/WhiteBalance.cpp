#include "kernels/WhiteBalance.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace vimbrel::effects {
namespace {

struct SrgbTable {
    double value[256];
    SrgbTable() {
        for (int i = 0; i < 256; ++i) {
            const double c = i / 255.0;
            const double linear = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
            value[i] = std::round(linear * 100000.0) / 100000.0;
        }
    }
};

struct ChannelMeans {
    double mean[3] = {0, 0, 0};  // red, green, blue
    uint64_t count = 0;
};

// Means over the pixels whose mask byte is set, or over all of them without a mask.
ChannelMeans MeanColour(const RgbFrame& frame, const uint8_t* mask) {
    uint64_t sum[3] = {0, 0, 0};
    ChannelMeans m;
    for (int r = 0; r < frame.height; ++r) {
        const uint8_t* row = frame.Row(r);
        const uint8_t* rowMask = mask ? mask + static_cast<std::size_t>(r) * frame.width : nullptr;
        for (int k = 0; k < frame.width; ++k) {
            if (rowMask && !rowMask[k]) {
                continue;
            }
            const uint8_t* p = row + 3 * k;
            sum[kBlue] += p[0];
            sum[kGreen] += p[1];
            sum[kRed] += p[2];
            ++m.count;
        }
    }
    if (m.count != 0) {
        for (int c = 0; c < 3; ++c) {
            m.mean[c] = static_cast<double>(sum[c]) / static_cast<double>(m.count);
        }
    }
    return m;
}

// Marks bright pixels, then repeatedly drops those far brighter than the
// current candidates' mean in X, Y or Z (specular highlights, light sources).
std::vector<uint8_t> WhiteCandidates(const RgbFrame& frame) {
    const std::size_t n = static_cast<std::size_t>(frame.width) * frame.height;
    std::vector<float> x(n), y(n), z(n);
    std::vector<uint8_t> mask(n, 0);
    const double* lin = SrgbLinearTable();
    float minY = 0.0f, maxY = 0.0f;
    std::size_t i = 0;
    for (int r = 0; r < frame.height; ++r) {
        const uint8_t* row = frame.Row(r);
        for (int k = 0; k < frame.width; ++k, ++i) {
            const uint8_t* p = row + 3 * k;
            const double R = lin[p[2]], G = lin[p[1]], B = lin[p[0]];
            x[i] = static_cast<float>(0.4124 * R + 0.3576 * G + 0.1805 * B);
            y[i] = static_cast<float>(0.2126 * R + 0.7152 * G + 0.0722 * B);
            z[i] = static_cast<float>(0.0193 * R + 0.1192 * G + 0.9505 * B);
            if (i == 0 || y[i] < minY) minY = y[i];
            if (i == 0 || y[i] > maxY) maxY = y[i];
        }
    }
    const float threshold = minY + 0.05f * (maxY - minY);
    for (i = 0; i < n; ++i) {
        mask[i] = y[i] >= threshold ? 1 : 0;
    }
    for (;;) {
        double sx = 0, sy = 0, sz = 0;
        uint64_t count = 0;
        for (i = 0; i < n; ++i) {
            if (mask[i]) {
                sx += x[i];
                sy += y[i];
                sz += z[i];
                ++count;
            }
        }
        if (count == 0) {
            break;
        }
        const double limitX = 3.0 * sx / count, limitY = 3.0 * sy / count, limitZ = 3.0 * sz / count;
        bool dropped = false;
        for (i = 0; i < n; ++i) {
            if (mask[i] && (x[i] >= limitX || y[i] >= limitY || z[i] >= limitZ)) {
                mask[i] = 0;
                dropped = true;
            }
        }
        if (!dropped) {
            break;
        }
    }
    return mask;
}

void BuildGainTable(float gain, ChannelTable& table) {
    for (int i = 0; i < 256; ++i) {
        table[i] = ClampByte(static_cast<int>(i * gain + 0.5f));
    }
}

}  // namespace

WhiteBalanceState::WhiteBalanceState() {
    for (auto& t : table) {
        BuildIdentityTable(t);
    }
}

const double* SrgbLinearTable() {
    static const SrgbTable table;
    return table.value;
}

bool AnalyseWhiteBalance(const RgbFrame& frame, WhiteBalanceState& s) {
    if (frame.Empty()) {
        return false;
    }
    ChannelMeans means;
    if (s.mode != 0) {
        const std::vector<uint8_t> mask = WhiteCandidates(frame);
        means = MeanColour(frame, mask.data());
    } else {
        means = MeanColour(frame, nullptr);
    }
    if (means.count == 0) {
        return false;
    }

    const double luma = (299 * means.mean[kRed] + 587 * means.mean[kGreen] + 114 * means.mean[kBlue]) * 0.001;
    float gain[3];
    for (int c = 0; c < 3; ++c) {
        // A channel that is black throughout gets the strongest boost.
        gain[c] = means.mean[c] == 0.0 ? 1.9f
                                       : std::clamp(static_cast<float>(luma / means.mean[c]), 0.1f, 1.9f);
    }

    int highCount = 0, lowCount = 0;
    float highest = 0.0f, lowest = 1.0f;
    for (float g : gain) {
        if (g >= 1.25f) {
            ++highCount;
            highest = std::max(highest, g);
        }
        if (g <= 0.75f) {
            ++lowCount;
            lowest = std::min(lowest, g);
        }
    }

    if (highCount == 0 || lowCount == 0) {
        for (int c = 0; c < 3; ++c) {
            s.gain[c] = std::clamp(gain[c], 0.6f, 1.4f);
            BuildGainTable(s.gain[c], s.table[c]);
        }
        return true;
    }
    // A strong cast both ways: bend the extreme channels with a power curve
    // instead of scaling them, which would clip the highlights.
    for (int c = 0; c < 3; ++c) {
        s.gain[c] = gain[c];
        if (gain[c] == highest || gain[c] == lowest) {
            s.exponent[c] = std::clamp(std::pow(10.0, (1.0 - gain[c]) * 0.4), 0.1, 9.9);
            BuildPowerTable(s.exponent[c], 0.00392156862745098, s.table[c]);
        } else {
            BuildIdentityTable(s.table[c]);
        }
    }
    return true;
}

void RunWhiteBalance(const RgbFrame& frame, WhiteBalanceState& s) {
    if (s.frameCounter == 0) {
        AnalyseWhiteBalance(frame, s);
    }
    // Counting up to the period and resetting on reaching or passing it makes
    // a period of 0 or 1 analyse every frame.
    if (++s.frameCounter >= s.period) {
        s.frameCounter = 0;
    }
    ApplyChannelTables(frame, s.table[kRed], s.table[kGreen], s.table[kBlue]);
}

}  // namespace vimbrel::effects
