#include "DeviceKey.h"

namespace vimbrel::controller {
namespace {

constexpr std::size_t kKeyPartLength = 8;  // "vid_xxxx"

char16_t Lower(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c; }
char16_t Upper(char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c; }

std::u16string Lowered(std::u16string_view text) {
    std::u16string out(text);
    for (char16_t& c : out) c = Lower(c);
    return out;
}

}  // namespace

std::optional<std::u16string> DeviceKeyFromInstanceId(std::u16string_view instanceId) {
    const std::u16string lower = Lowered(instanceId);
    const std::size_t vid = lower.find(u"vid");
    const std::size_t pid = lower.find(u"pid");
    if (vid == std::u16string::npos || pid == std::u16string::npos) return std::nullopt;
    // An id that ends early gives a shorter part rather than reading past it.
    std::u16string key = lower.substr(vid, kKeyPartLength) + u"&" + lower.substr(pid, kKeyPartLength);
    for (char16_t& c : key) c = Upper(c);
    return key;
}

bool ProductContains(std::u16string_view product, std::u16string_view fragment) {
    if (product.empty()) return false;
    return Lowered(product).find(Lowered(fragment)) != std::u16string::npos;
}

}  // namespace vimbrel::controller
