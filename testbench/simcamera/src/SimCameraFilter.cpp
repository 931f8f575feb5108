#include "SimCameraFilter.h"

#include <atomic>

namespace simcamera {

const GUID kChipPropertySet = {0xE02A32D0, 0xD2FC, 0x4628, {0xA1, 0xDD, 0xDE, 0x07, 0x9B, 0x11, 0xDF, 0xE1}};
const IID kVendorControlIid = {0x69B8F950, 0x5AC2, 0x11D8, {0xAD, 0xAF, 0x00, 0x06, 0x5B, 0x37, 0xCF, 0x9A}};
// {5D1A7C30-2F4B-4E9A-9C61-3B0E8A7D4C01} and {...02}
const CLSID CLSID_SimCamera = {0x5D1A7C30, 0x2F4B, 0x4E9A, {0x9C, 0x61, 0x3B, 0x0E, 0x8A, 0x7D, 0x4C, 0x01}};
const CLSID CLSID_SimCamera2 = {0x5D1A7C30, 0x2F4B, 0x4E9A, {0x9C, 0x61, 0x3B, 0x0E, 0x8A, 0x7D, 0x4C, 0x02}};

namespace {

std::atomic<LONG> g_liveFilters{0};

// KSPROPERTY_SUPPORT_GET and KSPROPERTY_SUPPORT_SET.
constexpr DWORD kSupportGet = 1;
constexpr DWORD kSupportSet = 2;

}  // namespace

CSimCameraFilter::CSimCameraFilter(int device, REFCLSID clsid)
    : CBaseFilter(L"Sim Chip Camera", clsid, &filterLock_), device_(device) {
    ++g_liveFilters;
}

CSimCameraFilter::~CSimCameraFilter() { --g_liveFilters; }

LONG CSimCameraFilter::LiveCount() { return g_liveFilters.load(); }

dshowbase::CUnknown* CSimCameraFilter::Create(int device, HRESULT* result) {
    CSimChip* chip = Chip(device);
    const HRESULT refusal = chip->creationResult.load();
    if (FAILED(refusal)) {
        if (result != nullptr) *result = refusal;
        return nullptr;
    }
    ++chip->createdFilters;
    return new CSimCameraFilter(device, device == 0 ? CLSID_SimCamera : CLSID_SimCamera2);
}

dshowbase::CUnknown* CSimCameraFilter::CreateCamera(HRESULT* result) { return Create(0, result); }

dshowbase::CUnknown* CSimCameraFilter::CreateCamera2(HRESULT* result) { return Create(1, result); }

HRESULT CSimCameraFilter::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
    CSimChip* chip = Chip(device_);
    if (riid == IID_IKsPropertySet) {
        if (!chip->offersPropertySet.load()) return (*ppv = nullptr, E_NOINTERFACE);
        return dshowbase::GetInterface(static_cast<IKsPropertySet*>(this), ppv);
    }
    if (riid == kVendorControlIid) {
        if (!chip->offersVendorInterface.load()) return (*ppv = nullptr, E_NOINTERFACE);
        return dshowbase::GetInterface(static_cast<IVendorControl*>(this), ppv);
    }
    if (riid == IID_IAMAnalogVideoDecoder)
        return dshowbase::GetInterface(static_cast<IAMAnalogVideoDecoder*>(this), ppv);
    return CBaseFilter::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP CSimCameraFilter::Set(REFGUID set, DWORD id, LPVOID instance, DWORD instanceBytes, LPVOID data,
                                   DWORD dataBytes) {
    if (set != kChipPropertySet) return E_PROP_SET_UNSUPPORTED;
    return Chip(device_)->Set(id, static_cast<const int32_t*>(instance), instanceBytes,
                              static_cast<const int32_t*>(data), dataBytes);
}

STDMETHODIMP CSimCameraFilter::Get(REFGUID set, DWORD id, LPVOID instance, DWORD instanceBytes, LPVOID data,
                                   DWORD dataBytes, DWORD* returned) {
    if (set != kChipPropertySet) return E_PROP_SET_UNSUPPORTED;
    return Chip(device_)->Get(id, static_cast<const int32_t*>(instance), instanceBytes, static_cast<int32_t*>(data),
                              dataBytes, returned);
}

STDMETHODIMP CSimCameraFilter::QuerySupported(REFGUID set, DWORD id, DWORD* support) {
    if (set != kChipPropertySet) return E_PROP_SET_UNSUPPORTED;
    if (id > 8) return E_PROP_ID_UNSUPPORTED;
    if (support == nullptr) return E_POINTER;
    const bool writeOnly = id == 1 || id == 3 || id == 5;
    const bool getOnly = id == 6 || id == 7;
    *support = (writeOnly ? 0 : kSupportGet) | (getOnly ? 0 : kSupportSet);
    return S_OK;
}

STDMETHODIMP CSimCameraFilter::Request(ULONG size, void* buffer) {
    return Chip(device_)->VendorRequest(size, static_cast<int32_t*>(buffer));
}

}  // namespace simcamera
