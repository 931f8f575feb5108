#include "engine/core/DeviceNameRules.h"

namespace camera {

std::u16string AsciiLower(std::u16string_view text) {
    std::u16string lower(text);
    for (char16_t& c : lower) {
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    }
    return lower;
}

bool IsTunerOrAnalogName(std::u16string_view friendlyName) {
    const std::u16string lower = AsciiLower(friendlyName);
    return lower.find(u"tuner") != std::u16string::npos || lower.find(u"analog") != std::u16string::npos;
}

bool IsMicrophonePinName(std::u16string_view pinName) {
    static constexpr std::u16string_view kMic = u"mic";
    static constexpr std::u16string_view kMicChinese = u"\u9EA5\u514B\u98A8";  // 麥克風
    if (pinName.size() >= kMic.size() && AsciiLower(pinName.substr(0, kMic.size())) == kMic) return true;
    return pinName.substr(0, kMicChinese.size()) == kMicChinese;
}

bool FriendlyNameStartsWith(std::u16string_view friendlyName, std::u16string_view wanted) {
    return friendlyName.substr(0, wanted.size()) == wanted;
}

bool PinNameContains(std::u16string_view pinName, std::u16string_view wanted) {
    return AsciiLower(pinName).find(AsciiLower(wanted)) != std::u16string::npos;
}

}  // namespace camera
