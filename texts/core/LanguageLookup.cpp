#include "LanguageLookup.h"

namespace vimbrel::texts {

std::u16string LanguageKeyName(std::uint16_t languageId) {
    static constexpr char16_t kDigits[] = u"0123456789abcdef";
    std::u16string digits;
    do {
        digits.insert(digits.begin(), kDigits[languageId & 0xF]);
        languageId = static_cast<std::uint16_t>(languageId >> 4);
    } while (languageId != 0);
    return u"0x" + digits;
}

std::optional<std::u16string> LookupLanguageText(const IProfileReader& profile, std::uint16_t languageId,
                                                 std::u16string_view key) {
    std::u16string section = profile.ReadString(u"Language", LanguageKeyName(languageId), kSectionNameCapacity);
    if (section.empty()) {
        section = profile.ReadString(u"Language", u"0x409", kSectionNameCapacity);
    }
    if (section.empty()) return std::nullopt;
    std::u16string text = profile.ReadString(section, key, kTextCapacity);
    if (text.empty()) return std::nullopt;
    return text;
}

}  // namespace vimbrel::texts
