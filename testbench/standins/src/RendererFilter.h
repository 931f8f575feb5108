// What the bench's two writers share as the ends of a graph: they are
// renderers (the graph waits for them), and once every stream they take
// has ended while they run they send EC_COMPLETE, once per run.
#pragma once

#include "dshowbase/BaseFilter.h"

namespace standins {

class CRendererFilter : public dshowbase::CBaseFilter, public IAMFilterMiscFlags {
public:
    CRendererFilter(const wchar_t* objectName, REFCLSID clsid, dshowbase::CCritSec* lock);

    DSHOWBASE_DECLARE_IUNKNOWN
    HRESULT NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    STDMETHODIMP Pause() override;
    STDMETHODIMP Run(REFERENCE_TIME start) override;
    STDMETHODIMP_(ULONG) GetMiscFlags() override;

    // From an input pin whose stream ended.
    void EndOfStreamArrived();

protected:
    // Under the filter lock: whether every stream the filter takes ended.
    virtual bool AllStreamsEnded() = 0;

private:
    bool CompleteIsDue();
    void SendComplete();

    bool completeSent_ = false;
};

}  // namespace standins
