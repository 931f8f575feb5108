#include "RegistrySettingsStore.h"

#include <vector>

#include "winowners/KernelOwners.h"

#include "WideText.h"

namespace vimbrel::controller {
namespace {

bool OpenKey(HKEY root, const std::wstring& path, REGSAM access, winowners::UniqueKey& key) {
    return RegOpenKeyExW(root, path.c_str(), 0, access, key.put()) == ERROR_SUCCESS;
}

bool CreateKey(HKEY root, const std::wstring& path, winowners::UniqueKey& key) {
    return RegCreateKeyExW(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr,
                           key.put(), nullptr) == ERROR_SUCCESS;
}

}  // namespace

CRegistrySettingsStore::CRegistrySettingsStore(bool windowsAbove5, std::wstring keyPath)
    : root_(windowsAbove5 ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE), keyPath_(std::move(keyPath)) {}

// Only a 4-byte REG_DWORD is a setting: anything else left under the name
// by another program or by hand is treated as missing.
std::optional<std::uint32_t> CRegistrySettingsStore::ReadDword(std::u16string_view name) const {
    winowners::UniqueKey key;
    if (!OpenKey(root_, keyPath_, KEY_READ, key)) return std::nullopt;
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegQueryValueExW(key.get(), CopyToWide(name).c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof value)
        return std::nullopt;
    return value;
}

bool CRegistrySettingsStore::WriteDword(std::u16string_view name, std::uint32_t value) {
    winowners::UniqueKey key;
    if (!OpenKey(root_, keyPath_, KEY_WRITE, key) && !CreateKey(root_, keyPath_, key)) return false;
    DWORD data = value;
    return RegSetValueExW(key.get(), CopyToWide(name).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                          sizeof data) == ERROR_SUCCESS;
}

// The stored text need not end with a terminator, and may be longer than
// the caller's buffer: it is read whole, then cut and terminated here.
std::optional<std::u16string> CRegistrySettingsStore::ReadString(std::u16string_view name, std::size_t maxChars) const {
    if (maxChars == 0) return std::nullopt;
    winowners::UniqueKey key;
    if (!OpenKey(root_, keyPath_, KEY_READ, key)) return std::nullopt;
    std::wstring valueName = CopyToWide(name);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return std::nullopt;
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
    DWORD read = static_cast<DWORD>((buffer.size() - 1) * sizeof(wchar_t));
    if (RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &read) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return std::nullopt;
    std::u16string text;
    for (std::size_t i = 0; i < read / sizeof(wchar_t) && buffer[i] != L'\0'; ++i)
        text += static_cast<char16_t>(buffer[i]);
    if (text.size() > maxChars - 1) text.resize(maxChars - 1);
    return text;
}

bool CRegistrySettingsStore::WriteString(std::u16string_view name, std::u16string_view text) {
    winowners::UniqueKey key;
    if (!OpenKey(root_, keyPath_, KEY_WRITE, key)) return false;
    std::wstring data = CopyToWide(text);
    DWORD bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key.get(), CopyToWide(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                          bytes) == ERROR_SUCCESS;
}

}  // namespace vimbrel::controller
