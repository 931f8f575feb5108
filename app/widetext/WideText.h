// Text between the Windows calls (wchar_t) and the portable code (char16_t).
// Both are UTF-16 code units on Windows, so no conversion changes a unit:
// the View forms look at the same buffer through the other type and live
// only as long as it; the Copy forms own their text.
#pragma once

#include <string>
#include <string_view>

namespace vimbrel {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide text is UTF-16");

// A terminated wide text as char16_t; a null pointer is empty text.
inline std::u16string_view ViewAsU16(const wchar_t* text) {
    return text ? std::u16string_view(reinterpret_cast<const char16_t*>(text)) : std::u16string_view();
}

// The string's own terminated buffer, for a Windows call.
inline const wchar_t* ViewAsWide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

// A terminated char16_t text as wchar_t; a null pointer stays null.
inline const wchar_t* ViewAsWide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }

// Every unit, embedded nulls included.
inline std::u16string CopyToU16(std::wstring_view text) { return std::u16string(text.begin(), text.end()); }

// Up to the terminator; a null pointer copies as empty text.
inline std::u16string CopyToU16(const wchar_t* text) { return std::u16string(ViewAsU16(text)); }

// Every unit, embedded nulls included.
inline std::wstring CopyToWide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

}  // namespace vimbrel
