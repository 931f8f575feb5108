#include "RegistryText.h"

#include "ShortcutPaths.h"

#include "winowners/KernelOwners.h"

namespace shortcutter {

bool ReadRegistryText(HKEY root, const char* subkey, const char* value, std::string* text) {
    winowners::UniqueKey key;
    if (RegOpenKeyExA(root, subkey, 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS) {
        return false;
    }
    // One byte more than a path buffer, so that a value of exactly 260
    // bytes without a terminator still shows as too long.
    char buffer[kPathChars + 1] = {};
    DWORD type = 0;
    DWORD size = kPathChars;
    if (RegQueryValueExA(key.get(), value, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS) {
        return false;  // ERROR_MORE_DATA included: too long to be a path
    }
    if (type != REG_SZ && type != REG_EXPAND_SZ) {
        return false;
    }
    // Stored strings need not carry their terminator; the zeroed spare
    // byte ends them either way.
    text->assign(buffer, strnlen(buffer, size));
    return text->size() < kPathChars;
}

}  // namespace shortcutter
