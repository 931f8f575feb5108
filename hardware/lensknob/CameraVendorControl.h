// The private interface some camera drivers offer on their capture device.
// Only its third method after IUnknown is used: a request of `size` bytes
// that the driver answers in the same buffer. The first two belong to the
// driver and are never called; they are declared only to keep the slots.
#pragma once

#include <windows.h>
#include <unknwn.h>

namespace lensknob {

// {69B8F950-5AC2-11D8-ADAF-00065B37CF9A}
extern const IID IID_CameraVendorControl;

struct ICameraVendorControl : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE DriverMethod1(ULONG size, void* buffer) = 0;
    virtual HRESULT STDMETHODCALLTYPE DriverMethod2(ULONG size, void* buffer) = 0;
    virtual HRESULT STDMETHODCALLTYPE Request(ULONG size, void* buffer) = 0;
};

}  // namespace lensknob
