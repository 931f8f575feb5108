#include "SequenceRules.h"

#include <cmath>
#include <cstdio>

namespace vimbrel::controller {

std::vector<BlinkStep> SelfTimerBlinkSteps(int seconds) {
    std::vector<BlinkStep> steps;
    for (int remaining = seconds; remaining >= 1; --remaining) {
        if (remaining >= 3) {
            steps.push_back({kIconTimer, 500});
            steps.push_back({kIconOff, 500});
        } else {
            for (int blink = 0; blink < 2; ++blink) {
                steps.push_back({kIconTimer, 250});
                steps.push_back({kIconOff, 250});
            }
        }
    }
    return steps;
}

TimerParameter DecodeTimerParameter(int parameter) {
    const auto bits = static_cast<unsigned>(parameter);
    return {static_cast<int>(bits & 0xFFFFu), static_cast<int>(bits >> 16)};
}

int BurstPictureCount(int contShootingEntry) {
    static constexpr int kPictures[] = {3, 5, 12, 15};
    if (contShootingEntry < 0 || contShootingEntry > 3) return 0;
    return kPictures[contShootingEntry];
}

std::optional<std::string> DateOverlayText(int type, const ClockReading& time) {
    char text[32];
    switch (type) {
    case 0: std::snprintf(text, sizeof text, "%02d/%02d/%04d", time.month, time.day, time.year); break;
    case 1: std::snprintf(text, sizeof text, "%02d/%02d", time.month, time.day); break;
    case 2:
        std::snprintf(text, sizeof text, "%02d:%02d  %02d/%02d", time.hour, time.minute, time.month, time.day);
        break;
    default: return std::nullopt;
    }
    return std::string(text);
}

int MillisecondsToNextSecond(const ClockReading& time) {
    int ms = time.millisecond;
    if (ms < 0 || ms > 999) ms = 0;
    return 1000 - ms;
}

int WholeRecordingSeconds(float seconds) {
    if (!(seconds >= 0.0f) || seconds > 2.0e9f) return 0;  // also NaN
    return static_cast<int>(seconds);
}

}  // namespace vimbrel::controller

namespace vimbrel::controller {
namespace {

char16_t FoldAscii(char16_t unit) {
    return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit - u'A' + u'a') : unit;
}

}  // namespace

bool ContainsIgnoringCase(std::u16string_view text, std::u16string_view part) {
    if (part.size() > text.size()) return false;
    for (std::size_t at = 0; at + part.size() <= text.size(); ++at) {
        std::size_t i = 0;
        while (i < part.size() && FoldAscii(text[at + i]) == FoldAscii(part[i])) ++i;
        if (i == part.size()) return true;
    }
    return false;
}

}  // namespace vimbrel::controller
