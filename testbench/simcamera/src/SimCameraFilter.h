// The capture filter of a simulated chip camera: no pins, the chip's
// property set through IKsPropertySet, the driver's vendor interface, and an
// analog video decoder face that keeps the capture engine away from it.
#pragma once

#include "SimChip.h"

#include "dshowbase/BaseFilter.h"

#include <dshow.h>

namespace simcamera {

// {E02A32D0-D2FC-4628-A1DD-DE079B11DFE1}, the chip driver's property set.
extern const GUID kChipPropertySet;

// The driver's own interface {69B8F950-5AC2-11D8-ADAF-00065B37CF9A}. Its
// third method answers requests; the first two are the driver's business
// and here refuse everything.
extern const IID kVendorControlIid;
struct IVendorControl : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE FirstDriverMethod(ULONG size, void* buffer) = 0;
    virtual HRESULT STDMETHODCALLTYPE SecondDriverMethod(ULONG size, void* buffer) = 0;
    virtual HRESULT STDMETHODCALLTYPE Request(ULONG size, void* buffer) = 0;
};

extern const CLSID CLSID_SimCamera;
extern const CLSID CLSID_SimCamera2;

class CSimCameraFilter final : public dshowbase::CBaseFilter,
                               public IKsPropertySet,
                               public IAMAnalogVideoDecoder,
                               public IVendorControl {
public:
    static dshowbase::CUnknown* CreateCamera(HRESULT* result);
    static dshowbase::CUnknown* CreateCamera2(HRESULT* result);
    static LONG LiveCount();

    ~CSimCameraFilter() override;

    DSHOWBASE_DECLARE_IUNKNOWN
    HRESULT NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    int GetPinCount() override { return 0; }
    dshowbase::CBasePin* GetPin(int) override { return nullptr; }

    // IKsPropertySet
    STDMETHODIMP Set(REFGUID set, DWORD id, LPVOID instance, DWORD instanceBytes, LPVOID data,
                     DWORD dataBytes) override;
    STDMETHODIMP Get(REFGUID set, DWORD id, LPVOID instance, DWORD instanceBytes, LPVOID data, DWORD dataBytes,
                     DWORD* returned) override;
    STDMETHODIMP QuerySupported(REFGUID set, DWORD id, DWORD* support) override;

    // IAMAnalogVideoDecoder: present, never used.
    STDMETHODIMP get_AvailableTVFormats(LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP put_TVFormat(LONG) override { return E_NOTIMPL; }
    STDMETHODIMP get_TVFormat(LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP get_HorizontalLocked(LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP put_VCRHorizontalLocking(LONG) override { return E_NOTIMPL; }
    STDMETHODIMP get_VCRHorizontalLocking(LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP get_NumberOfLines(LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP put_OutputEnable(LONG) override { return E_NOTIMPL; }
    STDMETHODIMP get_OutputEnable(LONG*) override { return E_NOTIMPL; }

    // IVendorControl
    STDMETHODIMP FirstDriverMethod(ULONG, void*) override { return E_NOTIMPL; }
    STDMETHODIMP SecondDriverMethod(ULONG, void*) override { return E_NOTIMPL; }
    STDMETHODIMP Request(ULONG size, void* buffer) override;

private:
    CSimCameraFilter(int device, REFCLSID clsid);
    static dshowbase::CUnknown* Create(int device, HRESULT* result);

    dshowbase::CCritSec filterLock_;
    int device_;
};

}  // namespace simcamera
