#include "ExactAnsi.h"

#include <windows.h>

namespace vimbrel::controller {

std::optional<std::string> ToExactAnsi(std::wstring_view text) {
    if (text.empty()) return std::string();
    if (text.size() > 0x7FFFFFFF) return std::nullopt;
    int length = static_cast<int>(text.size());
    BOOL usedDefault = FALSE;
    int bytes = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, nullptr, 0, nullptr,
                                    &usedDefault);
    if (bytes <= 0 || usedDefault) return std::nullopt;
    std::string ansi(static_cast<std::size_t>(bytes), '\0');
    if (WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, ansi.data(), bytes, nullptr,
                            &usedDefault) != bytes ||
        usedDefault) {
        return std::nullopt;
    }
    return ansi;
}

}  // namespace vimbrel::controller
