// Text glue between the Windows layer (wchar_t, UTF-16 on Windows) and the
// portable skin code (char16_t, and 8-bit configuration texts).
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace vimbrel::ui {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide text is UTF-16");

inline std::u16string_view AsU16(const wchar_t* text) {
    return text ? std::u16string_view(reinterpret_cast<const char16_t*>(text))
                : std::u16string_view();
}

inline const wchar_t* AsWide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

// Image names in a configuration are 8-bit text of the ANSI code page.
inline std::wstring WidenAnsi(std::string_view text) {
    if (text.empty()) return std::wstring();
    int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (n <= 0) return std::wstring();
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], n);
    return wide;
}

} // namespace vimbrel::ui
