#include "VideoDevices.h"

#include <dshow.h>
#include <wrl/client.h>

#include "winowners/ComOwners.h"

namespace hardware {

using Microsoft::WRL::ComPtr;

namespace {

bool ReadFriendlyName(IMoniker* moniker, std::wstring& name) {
    ComPtr<IPropertyBag> bag;
    if (FAILED(
            moniker->BindToStorage(nullptr, nullptr, IID_IPropertyBag, reinterpret_cast<void**>(bag.GetAddressOf()))))
        return false;
    // Asking for a string: a bag may answer in the type it is asked for.
    winowners::UniqueVariant value;
    VARIANT* const slot = value.put();
    slot->vt = VT_BSTR;
    if (FAILED(bag->Read(L"FriendlyName", slot, nullptr)) || value.bstr() == nullptr) return false;
    name.assign(value.bstr(), SysStringLen(value.bstr()));
    return true;
}

}  // namespace

bool ForEachVideoDevice(const VideoDeviceVisitor& visit) {
    ComPtr<ICreateDevEnum> devices;
    if (FAILED(CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER, IID_ICreateDevEnum,
                                reinterpret_cast<void**>(devices.GetAddressOf()))))
        return false;
    ComPtr<IEnumMoniker> monikers;
    if (devices->CreateClassEnumerator(CLSID_VideoInputDeviceCategory, monikers.GetAddressOf(), 0) != S_OK || !monikers)
        return false;
    ComPtr<IMoniker> moniker;
    while (monikers->Next(1, moniker.ReleaseAndGetAddressOf(), nullptr) == S_OK) {
        std::wstring name;
        if (!ReadFriendlyName(moniker.Get(), name)) continue;
        if (visit(moniker.Get(), name)) break;
    }
    return true;
}

std::string ToAnsi(const std::wstring& text) {
    if (text.empty()) return std::string();
    const int length = static_cast<int>(text.size());
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return std::string();
    std::string ansi(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), length, &ansi[0], bytes, nullptr, nullptr);
    return ansi;
}

}  // namespace hardware
