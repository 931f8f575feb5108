#include "kernels/FrameRateMeter.h"

#include <cstdio>

namespace vimbrel::effects {
namespace {

constexpr long kDayMilliseconds = 24L * 60 * 60 * 1000;

long MillisecondOfDay(const TimeOfDay& t) {
    return ((t.hour * 60L + t.minute) * 60L + t.second) * 1000L + t.millisecond;
}

}  // namespace

long ElapsedMilliseconds(const TimeOfDay& earlier, const TimeOfDay& later) {
    long elapsed = MillisecondOfDay(later) - MillisecondOfDay(earlier);
    if (elapsed < 0) {
        elapsed += kDayMilliseconds;
    }
    return elapsed;
}

bool CFrameRateMeter::Step(const TimeOfDay& now, double& fps) {
    if (index_ < 0 || index_ >= 2 * kRingSize) {
        index_ = 0;
    }
    if (index_ < kRingSize) {
        ring_[index_++] = now;
        return false;
    }
    TimeOfDay& slot = ring_[index_ - kRingSize];
    const long elapsed = ElapsedMilliseconds(slot, now);
    slot = now;
    if (++index_ == 2 * kRingSize) {
        index_ = kRingSize;
    }
    if (elapsed == 0) {
        return false;
    }
    fps = 10000.0 / static_cast<double>(elapsed);
    return true;
}

void FormatFrameRate(double fps, char16_t* text, std::size_t capacity) {
    if (text == nullptr || capacity == 0) {
        return;
    }
    char narrow[64];
    std::snprintf(narrow, sizeof narrow, "%.2f", fps);
    std::size_t i = 0;
    for (; i + 1 < capacity && narrow[i] != '\0'; ++i) {
        text[i] = static_cast<char16_t>(static_cast<unsigned char>(narrow[i]));
    }
    text[i] = u'\0';
}

}  // namespace vimbrel::effects
