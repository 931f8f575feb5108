#include "CWindowsModuleHost.h"

#include <windows.h>
#include <cfgmgr32.h>
#include <setupapi.h>

#include <array>
#include <vector>

#include "BaseBoardProduct.h"
#include "DeviceKey.h"
#include "WideText.h"

namespace vimbrel::controller {
namespace {

// The device list of SetupAPI, destroyed with its owner.
class CDeviceList {
public:
    CDeviceList() : set_(SetupDiGetClassDevsW(nullptr, nullptr, nullptr, DIGCF_PRESENT | DIGCF_ALLCLASSES)) {}
    ~CDeviceList() {
        if (Valid()) SetupDiDestroyDeviceInfoList(set_);
    }
    CDeviceList(const CDeviceList&) = delete;
    CDeviceList& operator=(const CDeviceList&) = delete;
    bool Valid() const { return set_ != INVALID_HANDLE_VALUE; }
    HDEVINFO Get() const { return set_; }

private:
    HDEVINFO set_;
};

constexpr DWORD kNameBufferBytes = 2048;

// The friendly name of a device, or its description; the buffer's last
// character is kept for the terminator.
bool ReadDeviceName(HDEVINFO set, SP_DEVINFO_DATA& device, std::array<wchar_t, kNameBufferBytes / 2>& name) {
    for (DWORD property : {SPDRP_FRIENDLYNAME, SPDRP_DEVICEDESC}) {
        name.fill(0);
        if (SetupDiGetDeviceRegistryPropertyW(set, &device, property, nullptr, reinterpret_cast<BYTE*>(name.data()),
                                              kNameBufferBytes - sizeof(wchar_t), nullptr))
            return true;
    }
    return false;
}

}  // namespace

std::optional<std::u16string> CWindowsModuleHost::ProgramFolder() const {
    if (programFolder_) return programFolder_;
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return std::nullopt;
        if (length < path.size()) break;
        if (path.size() >= 32768) return std::nullopt;
        path.resize(path.size() * 2);
    }
    std::u16string folder = CopyToU16(path.data());
    const std::size_t slash = folder.find_last_of(u"\\/");
    if (slash == std::u16string::npos) return std::nullopt;
    folder.resize(slash);
    return folder;
}

int CWindowsModuleHost::FindDeviceKey(const char16_t* name, std::u16string& key) const {
    if (name == nullptr) return 0;
    CDeviceList devices;
    if (!devices.Valid()) return 1;
    std::array<wchar_t, kNameBufferBytes / 2> text{};
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    for (DWORD index = 0; SetupDiEnumDeviceInfo(devices.Get(), index, &device); ++index) {
        if (!ReadDeviceName(devices.Get(), device, text) || CopyToU16(text.data()) != name) continue;
        std::array<wchar_t, MAX_DEVICE_ID_LEN + 1> id{};
        if (CM_Get_Device_IDW(device.DevInst, id.data(), static_cast<ULONG>(id.size() - 1), 0) != CR_SUCCESS) return 1;
        const std::optional<std::u16string> made = DeviceKeyFromInstanceId(CopyToU16(id.data()));
        if (!made) return 0;
        key = *made;
        return 1;
    }
    return 1;
}

std::u16string CWindowsModuleHost::BoardProduct() const {
    return boardProduct_ ? boardProduct_() : QueryBaseBoardProduct();
}

std::u16string CWindowsModuleHost::ReadProfileString(const std::u16string& path, const char16_t* section,
                                                     const std::u16string& key, std::size_t capacity) const {
    if (capacity == 0 || key.empty()) return {};
    std::vector<wchar_t> value(capacity, L'\0');
    GetPrivateProfileStringW(ViewAsWide(section), ViewAsWide(key), L"", value.data(), static_cast<DWORD>(capacity),
                             ViewAsWide(path));
    return CopyToU16(value.data());
}

void* CWindowsModuleHost::LoadModuleLibrary(const std::u16string& path) { return LoadLibraryW(ViewAsWide(path)); }

void* CWindowsModuleHost::FindModuleExport(void* library, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void CWindowsModuleHost::FreeModuleLibrary(void* library) { FreeLibrary(static_cast<HMODULE>(library)); }

CRotationPoll::ThreadHooks ComPollThreadHooks() {
    // Each poll thread enters once and leaves once on its own thread.
    struct Entered {
        bool com = false;
    };
    static thread_local Entered entered;
    return {[] { entered.com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)); },
            [] {
                if (entered.com) CoUninitialize();
                entered.com = false;
            }};
}

}  // namespace vimbrel::controller
