// The chip driver's registry data, read from HKEY_LOCAL_MACHINE. Read access
// is all this needs: asking for more fails for users without administrator
// rights.
#pragma once

#include "DriverDesc.h"
#include "winowners/KernelOwners.h"

#include <windows.h>

namespace chipmill {

class CDriverRegistry : public chipaccess::IDriverRegistry {
public:
    bool OpenDriverKey() override;
    uint32_t InstanceCount() override;
    std::string InstanceValue(const std::string& name) override;
    std::optional<std::string> ReadDriverDesc(const std::string& keyPath) override;

private:
    winowners::UniqueKey driverKey_;
};

}  // namespace chipmill
