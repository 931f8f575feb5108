#include "engine/core/PlaybackRules.h"

#include <cmath>

namespace camera {

namespace {

// The doubles strictly inside the range of int64_t: the upper limit 2^63
// itself is a double, the lower -2^63 too, and conversion of anything at or
// beyond them is undefined.
constexpr double kInt64Limit = 9223372036854775808.0;

bool TruncateToInt64(double value, int64_t* out) {
    if (!std::isfinite(value) || value >= kInt64Limit || value < -kInt64Limit) return false;
    *out = static_cast<int64_t>(value);
    return true;
}

char16_t Lower(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c; }

bool EqualsIgnoringCase(std::u16string_view text, std::u16string_view lowerCase) {
    if (text.size() != lowerCase.size()) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (Lower(text[i]) != lowerCase[i]) return false;
    }
    return true;
}

}  // namespace

bool IsWindowsMediaFile(std::u16string_view path) {
    const size_t dot = path.rfind(u'.');
    if (dot == std::u16string_view::npos) return false;
    const std::u16string_view extension = path.substr(dot + 1);
    return EqualsIgnoringCase(extension, u"wmv") || EqualsIgnoringCase(extension, u"asf") ||
           EqualsIgnoringCase(extension, u"wma");
}

bool DurationFromSeconds(double seconds, int64_t* duration) {
    if (duration == nullptr || !(seconds >= 0.0)) return false;
    return TruncateToInt64(seconds * kMediaUnitsPerSecond, duration);
}

bool SeekPositionForPercent(float percent, int64_t duration, int64_t* position) {
    if (position == nullptr || !std::isfinite(percent)) return false;
    return TruncateToInt64(static_cast<double>(percent) * 0.01 * static_cast<double>(duration), position);
}

float SecondsFromMediaUnits(int64_t position) { return static_cast<float>(static_cast<double>(position) * 1e-7); }

}  // namespace camera
