#include "DeviceControl.h"

#include "BenchState.h"

#include "dshowbase/Module.h"

#include <new>
#include <vector>

namespace bench {

dshowbase::CUnknown* CDeviceControl::Create(HRESULT*) { return new (std::nothrow) CDeviceControl(); }

CDeviceControl::CDeviceControl() : CUnknown(L"bench device control") {}

HRESULT CDeviceControl::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
    if (riid == IID_IUnknown || riid == IID_IBenchDeviceControl) {
        return dshowbase::GetInterface(static_cast<IBenchDeviceControl*>(this), ppv);
    }
    return CUnknown::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP CDeviceControl::SetScenePattern(int pattern) {
    if (!benchscene::IsValidPattern(pattern)) {
        return E_INVALIDARG;
    }
    CBenchState::Instance().SetPattern(static_cast<benchscene::Pattern>(pattern));
    return S_OK;
}

STDMETHODIMP CDeviceControl::SetSceneScript(const BenchSceneStep* steps, UINT count) {
    if (steps == nullptr && count != 0) {
        return E_POINTER;
    }
    std::vector<benchscene::Step> script;
    for (UINT i = 0; i < count; ++i) {
        if (!benchscene::IsValidPattern(steps[i].pattern)) {
            return E_INVALIDARG;
        }
        script.push_back({static_cast<benchscene::Pattern>(steps[i].pattern), steps[i].frames});
    }
    CBenchState::Instance().SetScript(std::move(script));
    return S_OK;
}

STDMETHODIMP CDeviceControl::SetCameraBusy(BOOL busy) {
    CBenchState::Instance().SetBusy(busy != FALSE);
    return S_OK;
}

STDMETHODIMP CDeviceControl::SetMissingControls(DWORD flags) {
    const DWORD known = BENCH_MISSING_VIDEOPROCAMP | BENCH_MISSING_CAMERACONTROL | BENCH_MISSING_GAMMA |
                        BENCH_MISSING_EXPOSURE;
    if ((flags & ~known) != 0) {
        return E_INVALIDARG;
    }
    CBenchState::Instance().SetMissingControls(flags);
    return S_OK;
}

STDMETHODIMP CDeviceControl::SetFormatList(int list) {
    if (list != BENCH_FORMATS_NORMAL && list != BENCH_FORMATS_SIXTY) {
        return E_INVALIDARG;
    }
    CBenchState::Instance().SetFormatList(list);
    return S_OK;
}

STDMETHODIMP CDeviceControl::RenderFrame(LONG width, LONG height, LONGLONG frameIndex, BYTE* buffer, DWORD size) {
    if (buffer == nullptr) {
        return E_POINTER;
    }
    if (frameIndex < 0) {
        return E_INVALIDARG;
    }
    return CBenchState::Instance().Render(width, height, static_cast<uint64_t>(frameIndex), buffer, size)
               ? S_OK
               : E_INVALIDARG;
}

STDMETHODIMP CDeviceControl::GetLiveObjectCount(LONG* count) {
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = dshowbase::LiveObjectCount();
    return S_OK;
}

STDMETHODIMP CDeviceControl::GetDeliveredFrames(LONGLONG* count) {
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = CBenchState::Instance().Delivered();
    return S_OK;
}

STDMETHODIMP CDeviceControl::GetMixerLine(int line, BOOL* enabled, double* level, LONG* changes) {
    if (enabled == nullptr || level == nullptr || changes == nullptr) {
        return E_POINTER;
    }
    if (line < 0 || line >= kMixerLines) {
        return E_INVALIDARG;
    }
    const MixerLineState state = CBenchState::Instance().Mixer(line);
    *enabled = state.enabled ? TRUE : FALSE;
    *level = state.level;
    *changes = state.changes;
    return S_OK;
}

STDMETHODIMP CDeviceControl::Reset() {
    CBenchState::Instance().Reset();
    return S_OK;
}

}  // namespace bench
