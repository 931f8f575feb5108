#include "engine/win/FilterLookup.h"

#include "engine/core/DeviceNameRules.h"

#include "winowners/ComOwners.h"

namespace camera {

std::wstring ReadFriendlyName(IMoniker* moniker) {
    if (moniker == nullptr) return {};
    ComPtr<IPropertyBag> bag;
    if (FAILED(
            moniker->BindToStorage(nullptr, nullptr, IID_IPropertyBag, reinterpret_cast<void**>(bag.GetAddressOf()))))
        return {};
    winowners::UniqueVariant value;
    if (FAILED(bag->Read(L"FriendlyName", value.put(), nullptr)) || value.bstr() == nullptr) return {};
    return std::wstring(value.bstr(), SysStringLen(value.bstr()));
}

HRESULT EnumerateCategory(REFCLSID category, ComPtr<IEnumMoniker>& monikers) {
    monikers.Reset();
    ComPtr<ICreateDevEnum> devices;
    HRESULT hr = CreateInstance(CLSID_SystemDeviceEnum, IID_ICreateDevEnum, devices);
    if (FAILED(hr)) return hr;
    hr = devices->CreateClassEnumerator(category, monikers.ReleaseAndGetAddressOf(), 0);
    if (hr != S_OK) {
        monikers.Reset();
        return FAILED(hr) ? hr : S_FALSE;
    }
    return S_OK;
}

HRESULT FindFilterByName(REFCLSID category, ComPtr<IBaseFilter>& filter, const wchar_t* name) {
    filter.Reset();
    if (name == nullptr) return E_POINTER;
    ComPtr<IEnumMoniker> monikers;
    if (EnumerateCategory(category, monikers) != S_OK) return VFW_E_NOT_FOUND;
    const std::u16string_view wanted = AsUtf16(name);
    ComPtr<IMoniker> moniker;
    while (monikers->Next(1, moniker.ReleaseAndGetAddressOf(), nullptr) == S_OK) {
        if (!FriendlyNameStartsWith(AsUtf16(ReadFriendlyName(moniker.Get())), wanted)) continue;
        return moniker->BindToObject(nullptr, nullptr, IID_IBaseFilter,
                                     reinterpret_cast<void**>(filter.ReleaseAndGetAddressOf()));
    }
    return VFW_E_NOT_FOUND;
}

}  // namespace camera
