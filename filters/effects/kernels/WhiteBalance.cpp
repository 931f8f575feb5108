#include "kernels/WhiteBalance.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "kernels/WhiteCandidates.h"

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

namespace {

// Gains and tables from the mean colour; false (tables kept) without pixels.
bool AnalyseMeans(const ChannelMeans& means, WhiteBalanceState& s) {
    if (means.count == 0) {
        return false;
    }

    const double luma = (299 * means.mean[kRed] + 587 * means.mean[kGreen] + 114 * means.mean[kBlue]) * 0.001;
    float gain[3];
    for (int c = 0; c < 3; ++c) {
        // A channel that is black throughout gets the strongest boost.
        gain[c] = means.mean[c] == 0.0 ? 1.9f : std::clamp(static_cast<float>(luma / means.mean[c]), 0.1f, 1.9f);
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

}  // namespace

bool AnalyseWhiteBalance(const RgbFrame& frame, WhiteBalanceState& s, CScratch& scratch) {
    if (frame.Empty()) {
        return false;
    }
    return AnalyseMeans(s.mode != 0 ? MeanOfWhiteCandidates(frame, scratch) : MeanOfAllPixels(frame), s);
}

bool AnalyseWhiteBalanceReference(const RgbFrame& frame, WhiteBalanceState& s, CScratch& scratch) {
    if (frame.Empty()) {
        return false;
    }
    return AnalyseMeans(s.mode != 0 ? MeanOfWhiteCandidatesPlain(frame, scratch) : MeanOfAllPixels(frame), s);
}

void RunWhiteBalance(const RgbFrame& frame, WhiteBalanceState& s, CScratch& scratch) {
    RunWhiteBalance(frame, s, scratch, frame);
}

void RunWhiteBalance(const RgbFrame& frame, WhiteBalanceState& s, CScratch& scratch, const RgbFrame& tablesTo) {
    if (s.frameCounter == 0) {
        AnalyseWhiteBalance(frame, s, scratch);
    }
    // Counting up to the period and resetting on reaching or passing it makes
    // a period of 0 or 1 analyse every frame.
    if (++s.frameCounter >= s.period) {
        s.frameCounter = 0;
    }
    ApplyChannelTables(tablesTo, s.table[kRed], s.table[kGreen], s.table[kBlue]);
}

}  // namespace vimbrel::effects
