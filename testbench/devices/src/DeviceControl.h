// The creatable control object: IBenchDeviceControl over the process-wide
// bench state.
#pragma once

#include "BenchDevices.h"

#include "dshowbase/Unknown.h"

namespace bench {

class CDeviceControl final : public dshowbase::CUnknown, public IBenchDeviceControl {
public:
    static dshowbase::CUnknown* Create(HRESULT* result);

    CDeviceControl();

    DSHOWBASE_DECLARE_IUNKNOWN
    HRESULT NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    STDMETHODIMP SetScenePattern(int pattern) override;
    STDMETHODIMP SetSceneScript(const BenchSceneStep* steps, UINT count) override;
    STDMETHODIMP SetCameraBusy(BOOL busy) override;
    STDMETHODIMP SetMissingControls(DWORD flags) override;
    STDMETHODIMP SetFormatList(int list) override;
    STDMETHODIMP RenderFrame(LONG width, LONG height, LONGLONG frameIndex, BYTE* buffer, DWORD size) override;
    STDMETHODIMP GetLiveObjectCount(LONG* count) override;
    STDMETHODIMP GetDeliveredFrames(LONGLONG* count) override;
    STDMETHODIMP GetMixerLine(int line, BOOL* enabled, double* level, LONG* changes) override;
    STDMETHODIMP Reset() override;
};

}  // namespace bench
