#include "CWindowsModuleHost.h"

#include <windows.h>
#include <cfgmgr32.h>
#include <setupapi.h>
#include <wbemidl.h>
#include <wrl/client.h>

#include <array>
#include <vector>

#include "DeviceKey.h"
#include "WideText.h"

namespace vimbrel::controller {
namespace {

using Microsoft::WRL::ComPtr;

// The device list of SetupAPI, destroyed with its owner.
class CDeviceList {
public:
    CDeviceList()
        : m_set(SetupDiGetClassDevsW(nullptr, nullptr, nullptr, DIGCF_PRESENT | DIGCF_ALLCLASSES)) {}
    ~CDeviceList() {
        if (Valid()) SetupDiDestroyDeviceInfoList(m_set);
    }
    CDeviceList(const CDeviceList&) = delete;
    CDeviceList& operator=(const CDeviceList&) = delete;
    bool Valid() const { return m_set != INVALID_HANDLE_VALUE; }
    HDEVINFO Get() const { return m_set; }

private:
    HDEVINFO m_set;
};

constexpr DWORD kNameBufferBytes = 2048;

// The friendly name of a device, or its description; the buffer's last
// character is kept for the terminator.
bool ReadDeviceName(HDEVINFO set, SP_DEVINFO_DATA& device, std::array<wchar_t, kNameBufferBytes / 2>& name) {
    for (DWORD property : {SPDRP_FRIENDLYNAME, SPDRP_DEVICEDESC}) {
        name.fill(0);
        if (SetupDiGetDeviceRegistryPropertyW(set, &device, property, nullptr,
                                              reinterpret_cast<BYTE*>(name.data()),
                                              kNameBufferBytes - sizeof(wchar_t), nullptr))
            return true;
    }
    return false;
}

// COM for the calling thread, balanced when this object started it.
class CComScope {
public:
    CComScope() : m_result(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~CComScope() {
        if (SUCCEEDED(m_result)) CoUninitialize();
    }
    CComScope(const CComScope&) = delete;
    CComScope& operator=(const CComScope&) = delete;
    // A thread already in another apartment can still make the calls.
    bool Usable() const { return SUCCEEDED(m_result) || m_result == RPC_E_CHANGED_MODE; }

private:
    HRESULT m_result;
};

class CBstr {
public:
    explicit CBstr(const wchar_t* text) : m_text(SysAllocString(text)) {}
    ~CBstr() { SysFreeString(m_text); }
    CBstr(const CBstr&) = delete;
    CBstr& operator=(const CBstr&) = delete;
    BSTR Get() const { return m_text; }

private:
    BSTR m_text;
};

// How long the board query may take; WMI that answers slower than this
// counts as failing, as every other WMI failure does.
constexpr long kBoardQueryTimeoutMs = 5000;

}  // namespace

std::optional<std::u16string> CWindowsModuleHost::ProgramFolder() const {
    if (m_programFolder) return m_programFolder;
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
        if (CM_Get_Device_IDW(device.DevInst, id.data(), static_cast<ULONG>(id.size() - 1), 0) !=
            CR_SUCCESS)
            return 1;
        const std::optional<std::u16string> made = DeviceKeyFromInstanceId(CopyToU16(id.data()));
        if (!made) return 0;
        key = *made;
        return 1;
    }
    return 1;
}

std::u16string CWindowsModuleHost::BoardProduct() const {
    CComScope com;
    if (!com.Usable()) return {};
    const HRESULT security =
        CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_DEFAULT,
                             RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE, nullptr);
    if (FAILED(security) && security != RPC_E_TOO_LATE) return {};

    ComPtr<IWbemLocator> locator;
    if (FAILED(CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&locator))))
        return {};
    ComPtr<IWbemServices> services;
    CBstr space(L"ROOT\\CIMV2");
    if (FAILED(locator->ConnectServer(space.Get(), nullptr, nullptr, nullptr, 0, nullptr, nullptr,
                                      &services)))
        return {};
    if (FAILED(CoSetProxyBlanket(services.Get(), RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr,
                                 RPC_C_AUTHN_LEVEL_CALL, RPC_C_IMP_LEVEL_IMPERSONATE, nullptr,
                                 EOAC_NONE)))
        return {};
    ComPtr<IEnumWbemClassObject> boards;
    CBstr language(L"WQL"), query(L"SELECT * from Win32_BaseBoard");
    if (FAILED(services->ExecQuery(language.Get(), query.Get(), WBEM_FLAG_RETURN_IMMEDIATELY,
                                   nullptr, &boards)))
        return {};
    // A query that returns at once is still running: waiting no time at
    // all for its first object would read most boards as having no name.
    ComPtr<IWbemClassObject> board;
    ULONG returned = 0;
    if (boards->Next(kBoardQueryTimeoutMs, 1, &board, &returned) != WBEM_S_NO_ERROR || returned != 1)
        return {};
    VARIANT product;
    VariantInit(&product);
    std::u16string name;
    if (SUCCEEDED(board->Get(L"Product", 0, &product, nullptr, nullptr)) && product.vt == VT_BSTR &&
        product.bstrVal != nullptr)
        name = CopyToU16(product.bstrVal);
    VariantClear(&product);
    return name;
}

std::u16string CWindowsModuleHost::ReadProfileString(const std::u16string& path,
                                                     const char16_t* section,
                                                     const std::u16string& key,
                                                     std::size_t capacity) const {
    if (capacity == 0 || key.empty()) return {};
    std::vector<wchar_t> value(capacity, L'\0');
    GetPrivateProfileStringW(ViewAsWide(section), ViewAsWide(key), L"", value.data(),
                             static_cast<DWORD>(capacity), ViewAsWide(path));
    return CopyToU16(value.data());
}

void* CWindowsModuleHost::LoadModuleLibrary(const std::u16string& path) {
    return LoadLibraryW(ViewAsWide(path));
}

void* CWindowsModuleHost::FindModuleExport(void* library, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void CWindowsModuleHost::FreeModuleLibrary(void* library) {
    FreeLibrary(static_cast<HMODULE>(library));
}

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
