#include "InstalledVersion.h"

#include "winowners/KernelOwners.h"

#include <windows.h>

namespace vimbrel::ui {

std::optional<uint32_t> ReadInstalledVersion() {
    winowners::UniqueKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kVersionKeyPath, 0, KEY_READ | KEY_WOW64_32KEY, key.put()) != ERROR_SUCCESS)
        return std::nullopt;
    DWORD type = 0, value = 0, size = sizeof value;
    const LONG read = RegQueryValueExW(key.get(), kVersionValueName, nullptr, &type, reinterpret_cast<BYTE*>(&value),
                                       &size);
    // A longer value fails with ERROR_MORE_DATA; a shorter one is no DWORD.
    if (read != ERROR_SUCCESS || size != sizeof value || (type != REG_DWORD && type != REG_BINARY)) return std::nullopt;
    return static_cast<uint32_t>(value);
}

}  // namespace vimbrel::ui
