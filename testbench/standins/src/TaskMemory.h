// Strings handed out across COM interfaces live in task memory, which the
// caller frees with CoTaskMemFree.
#pragma once

#include <objbase.h>

#include <cstring>
#include <string>

namespace standins {

inline HRESULT CopyToTaskMemory(const std::wstring& text, LPOLESTR* copy) {
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    *copy = static_cast<LPOLESTR>(CoTaskMemAlloc(bytes));
    if (*copy == nullptr) {
        return E_OUTOFMEMORY;
    }
    memcpy(*copy, text.c_str(), bytes);
    return S_OK;
}

}  // namespace standins
