#pragma once
// Reading of Windows profile (ini) texts by the rules the profile API
// follows, so the language file reads the same here as through
// GetPrivateProfileStringW: case-insensitive section and key names,
// trimmed names and values, one pair of surrounding quotes removed, the
// first matching section and key win.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "ProfileReader.h"

namespace vimbrel::texts {

// Turns 8-bit text without a byte-order mark into UTF-16; the Windows side
// passes the system code page, portable callers get Latin-1.
using AnsiDecoder = std::u16string (*)(const char* bytes, std::size_t count);

// UTF-16LE and UTF-16BE with their marks, UTF-8 with its mark, anything
// else through `ansi` (Latin-1 when null). The mark itself is dropped.
std::u16string DecodeProfileBytes(const unsigned char* data, std::size_t size, AnsiDecoder ansi = nullptr);

class CProfileText final : public IProfileReader {
public:
    explicit CProfileText(std::u16string text) : text_(std::move(text)) {}

    // The value of key in section, trimmed and unquoted; nullopt when the
    // section or the key is missing. A key line without "=" has an empty value.
    std::optional<std::u16string_view> FindValue(std::u16string_view section, std::u16string_view key) const;

    std::u16string ReadString(std::u16string_view section, std::u16string_view key,
                              std::size_t capacity) const override;

private:
    std::u16string text_;
};

// Case-insensitive equality as the profile rules compare names: ASCII,
// Latin-1, Greek and Cyrillic letters fold to lower case.
bool ProfileNamesEqual(std::u16string_view a, std::u16string_view b);

}  // namespace vimbrel::texts
