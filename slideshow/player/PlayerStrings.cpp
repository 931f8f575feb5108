#include "PlayerStrings.h"

namespace slideshow {

std::wstring LoadPlayerString(UINT id) {
    // With a zero size LoadString hands out a pointer into the resource
    // itself, so no text is ever cut to a buffer.
    const wchar_t* text = nullptr;
    const int length = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || !text) return std::wstring();
    return std::wstring(text, static_cast<size_t>(length));
}

}  // namespace slideshow
