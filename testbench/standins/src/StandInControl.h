// The control object: tests read the stand-ins' records through it.
#pragma once

#include "BenchStandIns.h"

#include "dshowbase/Unknown.h"

namespace standins {

class CStandInControl final : public dshowbase::CUnknown, public IBenchStandInControl {
public:
    static dshowbase::CUnknown* Create(HRESULT* result);

    CStandInControl();

    DSHOWBASE_DECLARE_IUNKNOWN
    HRESULT NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    STDMETHODIMP GetAudioControlCalls(BenchControlCall* calls, UINT capacity, UINT* count) override;
    STDMETHODIMP GetAudioBuffers(LONGLONG* passed, LONGLONG* silenced) override;
    STDMETHODIMP GetLiveObjectCount(LONG* count) override;
    STDMETHODIMP Reset() override;
};

}  // namespace standins
