#include "RendererFilter.h"

namespace standins {

CRendererFilter::CRendererFilter(const wchar_t* objectName, REFCLSID clsid, dshowbase::CCritSec* lock)
    : CBaseFilter(objectName, clsid, lock) {}

HRESULT CRendererFilter::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
    if (riid == IID_IAMFilterMiscFlags) {
        return dshowbase::GetInterface(static_cast<IAMFilterMiscFlags*>(this), ppv);
    }
    return CBaseFilter::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP CRendererFilter::Pause() {
    dshowbase::CAutoLock lock(FilterLock());
    if (IsStopped()) {
        completeSent_ = false;
    }
    return CBaseFilter::Pause();
}

STDMETHODIMP CRendererFilter::Run(REFERENCE_TIME start) {
    bool complete = false;
    HRESULT hr;
    {
        dshowbase::CAutoLock lock(FilterLock());
        hr = CBaseFilter::Run(start);
        complete = SUCCEEDED(hr) && CompleteIsDue();
    }
    if (complete) {
        SendComplete();
    }
    return hr;
}

STDMETHODIMP_(ULONG) CRendererFilter::GetMiscFlags() { return AM_FILTER_MISC_FLAGS_IS_RENDERER; }

void CRendererFilter::EndOfStreamArrived() {
    bool complete = false;
    {
        dshowbase::CAutoLock lock(FilterLock());
        complete = CompleteIsDue();
    }
    if (complete) {
        SendComplete();
    }
}

bool CRendererFilter::CompleteIsDue() {
    if (completeSent_ || state_ != State_Running || !AllStreamsEnded()) {
        return false;
    }
    completeSent_ = true;
    return true;
}

void CRendererFilter::SendComplete() {
    // Outside the filter lock: the graph may be stopping this filter (and
    // waiting for that lock) while it handles the event.
    NotifyEvent(EC_COMPLETE, S_OK, reinterpret_cast<LONG_PTR>(static_cast<IBaseFilter*>(this)));
}

}  // namespace standins
