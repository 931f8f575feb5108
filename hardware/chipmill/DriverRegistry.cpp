#include "DriverRegistry.h"

#include <vector>

namespace chipmill {

namespace {

const char kDriverKey[] = "SOFTWARE\\Chipwell\\PCCAM\\CWP2STD";

} // namespace

bool CRegKey::OpenForReading(HKEY parent, const char* path)
{
    Close();
    return RegOpenKeyExA(parent, path, 0, KEY_READ, &key_) == ERROR_SUCCESS;
}

void CRegKey::Close()
{
    if (key_ != nullptr)
        RegCloseKey(key_);
    key_ = nullptr;
}

std::string CRegKey::ReadString(const char* name) const
{
    DWORD type = 0;
    DWORD bytes = 0;
    if (RegQueryValueExA(key_, name, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ) || bytes == 0)
        return std::string();
    std::vector<char> text(bytes + 1, '\0');
    if (RegQueryValueExA(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &bytes) !=
        ERROR_SUCCESS)
        return std::string();
    text[bytes < text.size() ? bytes : text.size() - 1] = '\0';
    return std::string(text.data());
}

DWORD CRegKey::ReadDword(const char* name, DWORD fallback) const
{
    DWORD type = 0;
    DWORD value = 0;
    DWORD bytes = sizeof value;
    if (RegQueryValueExA(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &bytes) != ERROR_SUCCESS ||
        type != REG_DWORD)
        return fallback;
    return value;
}

bool CDriverRegistry::OpenDriverKey()
{
    return driverKey_.OpenForReading(HKEY_LOCAL_MACHINE, kDriverKey);
}

uint32_t CDriverRegistry::InstanceCount()
{
    return driverKey_.ReadDword("InstanceIndex", 0);
}

std::string CDriverRegistry::InstanceValue(const std::string& name)
{
    return driverKey_.ReadString(name.c_str());
}

std::optional<std::string> CDriverRegistry::ReadDriverDesc(const std::string& keyPath)
{
    CRegKey instance;
    if (!instance.OpenForReading(HKEY_LOCAL_MACHINE, keyPath.c_str()))
        return std::nullopt;
    return instance.ReadString("DriverDesc");
}

} // namespace chipmill
