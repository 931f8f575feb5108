// 8-bit configuration texts (image names) into Windows wide text.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace vimbrel::ui {

// Image names in a configuration are 8-bit text of the ANSI code page.
inline std::wstring WidenAnsi(std::string_view text) {
    if (text.empty()) return std::wstring();
    int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (n <= 0) return std::wstring();
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], n);
    return wide;
}

}  // namespace vimbrel::ui
