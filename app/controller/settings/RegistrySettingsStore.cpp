#include "RegistrySettingsStore.h"

#include <vector>

#include "WideText.h"

namespace vimbrel::controller {
namespace {

// An open registry key, closed when it goes.
class CRegKey {
public:
    CRegKey() = default;
    ~CRegKey() {
        if (m_key) RegCloseKey(m_key);
    }
    CRegKey(const CRegKey&) = delete;
    CRegKey& operator=(const CRegKey&) = delete;

    bool Open(HKEY root, const std::wstring& path, REGSAM access) {
        return RegOpenKeyExW(root, path.c_str(), 0, access, &m_key) == ERROR_SUCCESS;
    }
    bool Create(HKEY root, const std::wstring& path) {
        return RegCreateKeyExW(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                               KEY_READ | KEY_WRITE, nullptr, &m_key, nullptr) == ERROR_SUCCESS;
    }
    HKEY Get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

}  // namespace

CRegistrySettingsStore::CRegistrySettingsStore(bool windowsAbove5, std::wstring keyPath)
    : m_root(windowsAbove5 ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE),
      m_keyPath(std::move(keyPath)) {}

// Only a 4-byte REG_DWORD is a setting: anything else left under the name
// by another program or by hand is treated as missing.
std::optional<std::uint32_t> CRegistrySettingsStore::ReadDword(std::u16string_view name) const {
    CRegKey key;
    if (!key.Open(m_root, m_keyPath, KEY_READ)) return std::nullopt;
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegQueryValueExW(key.Get(), CopyToWide(name).c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof value)
        return std::nullopt;
    return value;
}

bool CRegistrySettingsStore::WriteDword(std::u16string_view name, std::uint32_t value) {
    CRegKey key;
    if (!key.Open(m_root, m_keyPath, KEY_WRITE) && !key.Create(m_root, m_keyPath)) return false;
    DWORD data = value;
    return RegSetValueExW(key.Get(), CopyToWide(name).c_str(), 0, REG_DWORD,
                          reinterpret_cast<const BYTE*>(&data), sizeof data) == ERROR_SUCCESS;
}

// The stored text need not end with a terminator, and may be longer than
// the caller's buffer: it is read whole, then cut and terminated here.
std::optional<std::u16string> CRegistrySettingsStore::ReadString(std::u16string_view name,
                                                                 std::size_t maxChars) const {
    if (maxChars == 0) return std::nullopt;
    CRegKey key;
    if (!key.Open(m_root, m_keyPath, KEY_READ)) return std::nullopt;
    std::wstring valueName = CopyToWide(name);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key.Get(), valueName.c_str(), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return std::nullopt;
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
    DWORD read = static_cast<DWORD>((buffer.size() - 1) * sizeof(wchar_t));
    if (RegQueryValueExW(key.Get(), valueName.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(buffer.data()), &read) != ERROR_SUCCESS ||
        type != REG_SZ)
        return std::nullopt;
    std::u16string text;
    for (std::size_t i = 0; i < read / sizeof(wchar_t) && buffer[i] != L'\0'; ++i)
        text += static_cast<char16_t>(buffer[i]);
    if (text.size() > maxChars - 1) text.resize(maxChars - 1);
    return text;
}

bool CRegistrySettingsStore::WriteString(std::u16string_view name, std::u16string_view text) {
    CRegKey key;
    if (!key.Open(m_root, m_keyPath, KEY_WRITE)) return false;
    std::wstring data = CopyToWide(text);
    DWORD bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key.Get(), CopyToWide(name).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(data.c_str()), bytes) == ERROR_SUCCESS;
}

}  // namespace vimbrel::controller
