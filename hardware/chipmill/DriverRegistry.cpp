#include "DriverRegistry.h"

#include <vector>

namespace chipmill {

namespace {

const char kDriverKey[] = "SOFTWARE\\Chipwell\\PCCAM\\CWP2STD";

bool OpenForReading(HKEY parent, const char* path, winowners::UniqueKey& key) {
    return RegOpenKeyExA(parent, path, 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

// A string value (REG_SZ or REG_EXPAND_SZ) in full; empty when absent.
std::string ReadString(HKEY key, const char* name) {
    DWORD type = 0;
    DWORD bytes = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ) || bytes == 0)
        return std::string();
    std::vector<char> text(bytes + 1, '\0');
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &bytes) != ERROR_SUCCESS)
        return std::string();
    text[bytes < text.size() ? bytes : text.size() - 1] = '\0';
    return std::string(text.data());
}

// A DWORD value; `fallback` when absent or of another type.
DWORD ReadDword(HKEY key, const char* name, DWORD fallback) {
    DWORD type = 0;
    DWORD value = 0;
    DWORD bytes = sizeof value;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &bytes) != ERROR_SUCCESS ||
        type != REG_DWORD)
        return fallback;
    return value;
}

}  // namespace

bool CDriverRegistry::OpenDriverKey() { return OpenForReading(HKEY_LOCAL_MACHINE, kDriverKey, driverKey_); }

uint32_t CDriverRegistry::InstanceCount() { return ReadDword(driverKey_.get(), "InstanceIndex", 0); }

std::string CDriverRegistry::InstanceValue(const std::string& name) {
    return ReadString(driverKey_.get(), name.c_str());
}

std::optional<std::string> CDriverRegistry::ReadDriverDesc(const std::string& keyPath) {
    winowners::UniqueKey instance;
    if (!OpenForReading(HKEY_LOCAL_MACHINE, keyPath.c_str(), instance)) return std::nullopt;
    return ReadString(instance.get(), "DriverDesc");
}

}  // namespace chipmill
