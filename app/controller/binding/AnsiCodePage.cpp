#include "AnsiCodePage.h"

#include <windows.h>

namespace vimbrel::controller {

std::optional<std::u16string> CAnsiCodePage::AnsiToWide(std::string_view text) const {
    if (text.empty()) return std::u16string();
    if (text.size() > 0x7FFFFFFF) return std::nullopt;
    int length = static_cast<int>(text.size());
    int needed = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), length, nullptr, 0);
    if (needed <= 0) return std::nullopt;
    std::u16string wide(static_cast<std::size_t>(needed), u'\0');
    if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), length, reinterpret_cast<wchar_t*>(wide.data()),
                            needed) != needed)
        return std::nullopt;
    return wide;
}

std::optional<std::string> CAnsiCodePage::WideToAnsi(std::u16string_view text) const {
    if (text.empty()) return std::string();
    if (text.size() > 0x7FFFFFFF) return std::nullopt;
    auto wide = reinterpret_cast<const wchar_t*>(text.data());
    int length = static_cast<int>(text.size());
    BOOL usedDefault = FALSE;
    int needed = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, length, nullptr, 0, nullptr, &usedDefault);
    if (needed <= 0 || usedDefault) return std::nullopt;
    std::string ansi(static_cast<std::size_t>(needed), '\0');
    if (WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, length, ansi.data(), needed, nullptr, &usedDefault) !=
            needed ||
        usedDefault)
        return std::nullopt;
    return ansi;
}

}  // namespace vimbrel::controller
