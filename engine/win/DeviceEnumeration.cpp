#include "engine/win/DeviceEnumeration.h"

#include "engine/core/DeviceNameRules.h"
#include "engine/win/EngineMessages.h"
#include "engine/win/FilterLookup.h"
#include "engine/win/PinHelpers.h"

#include <edevdefs.h>

namespace camera {

namespace {

template <class Usable>
void CollectDevices(REFCLSID category, DeviceList& list, bool keepWideName, Usable usable) {
    ComPtr<IEnumMoniker> monikers;
    if (EnumerateCategory(category, monikers) != S_OK) return;
    ComPtr<IMoniker> moniker;
    while (monikers->Next(1, moniker.ReleaseAndGetAddressOf(), nullptr) == S_OK) {
        const std::wstring name = ReadFriendlyName(moniker.Get());
        if (!usable(moniker.Get(), name)) continue;
        list.Append(WideToAnsi(name), keepWideName ? std::u16string(AsUtf16(name)) : std::u16string(), moniker);
    }
}

}  // namespace

HRESULT BindDevice(IMoniker* moniker, ComPtr<IBaseFilter>& filter) {
    filter.Reset();
    if (moniker == nullptr) return E_POINTER;
    return moniker->BindToObject(nullptr, nullptr, IID_IBaseFilter,
                                 reinterpret_cast<void**>(filter.ReleaseAndGetAddressOf()));
}

bool IsUsableAudioDevice(IBaseFilter* filter) {
    ComPtr<IPin> input;
    return SUCCEEDED(FindNthPin(filter, PINDIR_INPUT, 0, input));
}

bool IsUsableVideoDevice(IBaseFilter* filter) {
    if (filter == nullptr) return false;
    CLSID clsid{};
    if (SUCCEEDED(filter->GetClassID(&clsid)) && clsid == CLSID_VfwCapture) return false;
    ComPtr<IAMAnalogVideoDecoder> decoder;
    if (SUCCEEDED(QueryTo(filter, IID_IAMAnalogVideoDecoder, decoder))) return false;
    ComPtr<IAMExtDevice> external;
    if (SUCCEEDED(QueryTo(filter, IID_IAMExtDevice, external))) {
        LONG value = 0;
        double doubleValue = 0;
        if (SUCCEEDED(external->GetCapability(ED_DEVCAP_DEVICE_TYPE, &value, &doubleValue))) return false;
    }
    return true;
}

int EnumerateAudioDevices(DeviceList& list) {
    list.Clear();
    CollectDevices(CLSID_AudioInputDeviceCategory, list, false, [](IMoniker* moniker, const std::wstring& name) {
        if (IsTunerOrAnalogName(AsUtf16(name))) return false;
        ComPtr<IBaseFilter> filter;
        return SUCCEEDED(BindDevice(moniker, filter)) && IsUsableAudioDevice(filter.Get());
    });
    if (list.Count() == 0) ShowEngineMessage(EngineMessage::NoAudioDevice);
    return list.Count();
}

int EnumerateVideoDevices(DeviceList& list) {
    list.Clear();
    CollectDevices(CLSID_VideoInputDeviceCategory, list, true, [](IMoniker* moniker, const std::wstring&) {
        ComPtr<IBaseFilter> filter;
        return SUCCEEDED(BindDevice(moniker, filter)) && IsUsableVideoDevice(filter.Get());
    });
    if (list.Count() == 0) ShowEngineMessage(EngineMessage::NoCameraDevice);
    return list.Count();
}

}  // namespace camera
