#include "StandInControl.h"

#include "StandInRecords.h"

#include "dshowbase/Module.h"

#include <new>

namespace standins {

dshowbase::CUnknown* CStandInControl::Create(HRESULT*) { return new (std::nothrow) CStandInControl(); }

CStandInControl::CStandInControl() : CUnknown(L"bench stand-in control") {}

HRESULT CStandInControl::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
    if (riid == IID_IUnknown || riid == IID_IBenchStandInControl) {
        return dshowbase::GetInterface(static_cast<IBenchStandInControl*>(this), ppv);
    }
    return CUnknown::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP CStandInControl::GetAudioControlCalls(BenchControlCall* calls, UINT capacity, UINT* count) {
    if (count == nullptr || (calls == nullptr && capacity != 0)) {
        return E_POINTER;
    }
    const std::vector<BenchControlCall> recorded = CStandInRecords::Instance().ControlCalls();
    if (capacity == 0) {
        *count = static_cast<UINT>(recorded.size());
        return S_OK;
    }
    UINT copied = 0;
    for (; copied < capacity && copied < recorded.size(); ++copied) {
        calls[copied] = recorded[copied];
    }
    *count = copied;
    return S_OK;
}

STDMETHODIMP CStandInControl::GetAudioBuffers(LONGLONG* passed, LONGLONG* silenced) {
    if (passed == nullptr || silenced == nullptr) {
        return E_POINTER;
    }
    CStandInRecords::Instance().AudioBuffers(passed, silenced);
    return S_OK;
}

STDMETHODIMP CStandInControl::GetLiveObjectCount(LONG* count) {
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = dshowbase::LiveObjectCount();
    return S_OK;
}

STDMETHODIMP CStandInControl::Reset() {
    CStandInRecords::Instance().Reset();
    return S_OK;
}

}  // namespace standins
