// Where the suite is installed, as the effects filter's pages find it: the
// InstalledDir value under HKLM\SOFTWARE\Zavu\Vimbrel, ending in a
// backslash, or the caller's fallback when it cannot be read.
#pragma once

#include <string>

namespace lenstint {

// The registry key and value the installer writes.
extern const wchar_t kInstallKey[];
extern const wchar_t kInstallValue[];
// The gallery's fallback when nothing is registered.
extern const wchar_t kDefaultInstallFolder[];

std::wstring ReadInstallFolder(const wchar_t* fallback);

// The portable helpers speak char16_t; on Windows that is wchar_t's width.
std::wstring ToWide(const std::u16string& text);
std::u16string ToUtf16(const std::wstring& text);

}  // namespace lenstint
