// What the hardware tests under Wine share: the chip driver's registry data,
// written by the test itself (the driver's installation is not here), the
// modules loaded from the build's folders, and a fixture that puts the
// simulated camera back to its first state and leaves chipmill unbound.
#pragma once

#include "SimCamera.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace hwtest {

// HKLM\SOFTWARE\Chipwell\PCCAM\CWP2STD and the instance keys it points at,
// which the tests keep below HKLM\SOFTWARE\Vimbrel Tests\ChipDriver.
class CChipDriverRegistry {
public:
    CChipDriverRegistry() { Clear(); }
    ~CChipDriverRegistry() { Clear(); }

    // Lists the given device names as instances 1..n, each with a key of its
    // own holding its DriverDesc.
    void ListInstances(const std::vector<std::wstring>& driverDescs);
    // Only the driver key, with this InstanceIndex and no instance values.
    void WriteCountOnly(DWORD count);
    // An instance whose kernel path names a key that does not exist.
    void ListMissingInstance();
    void Clear();
};

// The folder of the test program, where the build puts every DLL.
std::wstring BinFolder();

class CLoadedLibrary {
public:
    explicit CLoadedLibrary(const std::wstring& path) : module_(LoadLibraryW(path.c_str())) {}
    ~CLoadedLibrary() {
        if (module_ != nullptr) FreeLibrary(module_);
    }
    CLoadedLibrary(const CLoadedLibrary&) = delete;
    CLoadedLibrary& operator=(const CLoadedLibrary&) = delete;

    HMODULE Get() const { return module_; }
    FARPROC Address(const char* name) const { return GetProcAddress(module_, name); }
    template <class Function>
    Function Proc(const char* name) const {
        return reinterpret_cast<Function>(reinterpret_cast<void*>(Address(name)));
    }

private:
    HMODULE module_;
};

// The simulated camera's devices, by name.
const wchar_t* const kSimCameraNames[] = {SIM_CAMERA_NAME, SIM_CAMERA2_NAME};

std::vector<SimChipCall> CallsOf(int device);

class SimCameraTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    CChipDriverRegistry driver_;
};

}  // namespace hwtest
