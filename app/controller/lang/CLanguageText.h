#pragma once
// The program's way to its user-interface texts: glossa.dll loaded at run
// time and handed the language file; callers get string objects back and
// an empty string for anything that cannot be had.

#include "winowners/KernelOwners.h"

#include <windows.h>

#include <string>

namespace vimbrel::controller {

class CLanguageText {
public:
    CLanguageText() = default;
    virtual ~CLanguageText();
    CLanguageText(const CLanguageText&) = delete;
    CLanguageText& operator=(const CLanguageText&) = delete;

    // 1 when the library loads, exports SetPath and GetString, and accepts
    // the language file; else 0. A library loaded before is freed first.
    int Load(const wchar_t* libraryPath, const wchar_t* languageFilePath);

    // The text of key in the user-interface language, or "".
    std::wstring GetString(const wchar_t* key) const;

    void Unload();

private:
    using SetPathFn = int(__cdecl*)(const wchar_t*);
    using GetStringFn = int(__cdecl*)(const wchar_t*, wchar_t*);

    winowners::UniqueModule module_;
    GetStringFn getString_ = nullptr;
    SetPathFn setPath_ = nullptr;
};

// The program's one instance, bound at start-up.
CLanguageText& GetLanguageText();

}  // namespace vimbrel::controller
