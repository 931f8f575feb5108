// Small pieces every DirectShow file of the engine uses: the platform
// headers in the order they need, COM pointers, and text conversions.
#pragma once

#include <windows.h>
#include <dshow.h>
#include <wrl/client.h>

#include <string>
#include <string_view>

namespace camera {

using Microsoft::WRL::ComPtr;

// QueryInterface by an explicit interface id: many DirectShow interfaces
// carry no compiler-attached uuid in the MinGW headers.
template <class T, class Source>
HRESULT QueryTo(Source* source, REFIID iid, ComPtr<T>& out) {
    out.Reset();
    if (source == nullptr) return E_POINTER;
    return source->QueryInterface(iid, reinterpret_cast<void**>(out.ReleaseAndGetAddressOf()));
}

template <class T>
HRESULT CreateInstance(REFCLSID clsid, REFIID iid, ComPtr<T>& out) {
    out.Reset();
    return CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, iid,
                            reinterpret_cast<void**>(out.ReleaseAndGetAddressOf()));
}

// wchar_t is 16 bits on Windows, so the portable rules' UTF-16 views can be
// built over wide strings directly.
inline std::u16string_view AsUtf16(const wchar_t* text) {
    static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide strings are UTF-16");
    if (text == nullptr) return {};
    return std::u16string_view(reinterpret_cast<const char16_t*>(text), wcslen(text));
}

inline std::u16string_view AsUtf16(const std::wstring& text) {
    return std::u16string_view(reinterpret_cast<const char16_t*>(text.c_str()), text.size());
}

inline std::wstring FromUtf16(std::u16string_view text) {
    return std::wstring(reinterpret_cast<const wchar_t*>(text.data()), text.size());
}

// Conversions through the ANSI code page, the encoding of the flat API's
// char* names and paths.
std::string WideToAnsi(std::wstring_view text);
std::wstring AnsiToWide(std::string_view text);

}  // namespace camera
