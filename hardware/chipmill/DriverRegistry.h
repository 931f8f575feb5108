// The chip driver's registry data, read from HKEY_LOCAL_MACHINE. Read access
// is all this needs: asking for more fails for users without administrator
// rights.
#pragma once

#include "DriverDesc.h"

#include <windows.h>

namespace chipmill {

class CRegKey {
public:
    CRegKey() = default;
    ~CRegKey() { Close(); }
    CRegKey(const CRegKey&) = delete;
    CRegKey& operator=(const CRegKey&) = delete;

    bool OpenForReading(HKEY parent, const char* path);
    void Close();
    HKEY Get() const { return key_; }

    // A string value (REG_SZ or REG_EXPAND_SZ) in full; empty when absent.
    std::string ReadString(const char* name) const;
    // A DWORD value; `fallback` when absent or of another type.
    DWORD ReadDword(const char* name, DWORD fallback) const;

private:
    HKEY key_ = nullptr;
};

class CDriverRegistry : public chipaccess::IDriverRegistry {
public:
    bool OpenDriverKey() override;
    uint32_t InstanceCount() override;
    std::string InstanceValue(const std::string& name) override;
    std::optional<std::string> ReadDriverDesc(const std::string& keyPath) override;

private:
    CRegKey driverKey_;
};

} // namespace chipmill
