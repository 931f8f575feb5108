#pragma once
// The lookup chain of the language file: the user-interface language picks
// a section through the "Language" section, US English (0x409) standing in
// for languages without an entry of their own.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ProfileReader.h"

namespace vimbrel::texts {

// Buffer sizes of the two reads, terminator included: section names are
// cut to 31 characters, texts to 253.
constexpr std::size_t kSectionNameCapacity = 32;
constexpr std::size_t kTextCapacity = 254;

// "0x" and the language id in lower-case hexadecimal without leading zeros.
std::u16string LanguageKeyName(std::uint16_t languageId);

// The text of key for languageId; nullopt when no section can be found or
// the text is missing or empty.
std::optional<std::u16string> LookupLanguageText(const IProfileReader& profile, std::uint16_t languageId,
                                                 std::u16string_view key);

}  // namespace vimbrel::texts
