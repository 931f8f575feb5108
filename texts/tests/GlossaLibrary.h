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

    bool IsBound() const { return setPath_ != nullptr && getString_ != nullptr; }
    int SetPath(const wchar_t* path) const { return setPath_(path); }
    int GetString(const wchar_t* key, wchar_t* out) const { return getString_(key, out); }

private:
    HMODULE module_;
    SetPathFn setPath_ = nullptr;
    GetStringFn getString_ = nullptr;
};

}  // namespace vimbrel::texts::test
