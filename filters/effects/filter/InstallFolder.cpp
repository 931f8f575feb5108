#include "InstallFolder.h"

#include <windows.h>

#include "GalleryTables.h"
#include "winowners/KernelOwners.h"

namespace lenstint {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wchar_t");

const wchar_t kInstallKey[] = L"SOFTWARE\\Zavu\\Vimbrel\\";
const wchar_t kInstallValue[] = L"InstalledDir";
const wchar_t kDefaultInstallFolder[] = L"C:\\Program Files\\Zavu\\Vimbrel2\\";

std::wstring ToWide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }
std::u16string ToUtf16(const std::wstring& text) { return std::u16string(text.begin(), text.end()); }

std::wstring ReadInstallFolder(const wchar_t* fallback) {
    // 256 bytes, as the installer's readers have always used; a value that
    // fills them has no terminator of its own, hence the spare one.
    wchar_t buffer[129] = {};
    DWORD bytes = 256;
    DWORD type = 0;
    winowners::UniqueKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kInstallKey, 0, KEY_READ, key.put()) != ERROR_SUCCESS)
        return fallback ? fallback : L"";
    const LONG status = RegQueryValueExW(key.get(), kInstallValue, nullptr, &type, reinterpret_cast<BYTE*>(buffer),
                                         &bytes);
    if (status != ERROR_SUCCESS || type != REG_SZ) return fallback ? fallback : L"";
    const std::u16string raw(reinterpret_cast<const char16_t*>(buffer), bytes / sizeof(wchar_t));
    return ToWide(NormaliseInstallFolder(raw));
}

}  // namespace lenstint
