#pragma once
// glossa.dll loaded by file name and bound by its undecorated export
// names, the way the program binds it. Each instance loads the library
// afresh, so its stored path starts empty.

#include <windows.h>

namespace vimbrel::texts::test {

class CGlossaLibrary {
public:
    using SetPathFn = int(__cdecl*)(const wchar_t*);
    using GetStringFn = int(__cdecl*)(const wchar_t*, wchar_t*);

    CGlossaLibrary();
    ~CGlossaLibrary();
    CGlossaLibrary(const CGlossaLibrary&) = delete;
    CGlossaLibrary& operator=(const CGlossaLibrary&) = delete;

    bool IsBound() const { return m_setPath != nullptr && m_getString != nullptr; }
    int SetPath(const wchar_t* path) const { return m_setPath(path); }
    int GetString(const wchar_t* key, wchar_t* out) const { return m_getString(key, out); }

private:
    HMODULE m_module;
    SetPathFn m_setPath = nullptr;
    GetStringFn m_getString = nullptr;
};

}  // namespace vimbrel::texts::test
