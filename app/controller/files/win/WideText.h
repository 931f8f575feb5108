#pragma once
// wchar_t and char16_t are both UTF-16 on Windows; the portable rules speak
// char16_t, the system calls wchar_t.

#include <string>
#include <string_view>

namespace vimbrel::controller {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wchar_t expected");

inline std::u16string AsU16(std::wstring_view text) { return std::u16string(text.begin(), text.end()); }
inline std::wstring AsWide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

}  // namespace vimbrel::controller
