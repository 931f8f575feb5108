// IBaseFilter without the SDK: state, clock, graph membership, pin lookup
// and graph events. A derived filter supplies its pins (GetPinCount/GetPin)
// and its class id; the pins are owned by the filter and share its reference
// count, so a pin handed out keeps the whole filter alive.
//
// Locking: every state change and pin connection runs under the filter lock
// given to the constructor. Streaming code must not take it (use a separate
// streaming lock), or a Stop waiting for the stream could deadlock.
#pragma once

#include "dshowbase/Lock.h"
#include "dshowbase/Unknown.h"

#include <dshow.h>
#include <wrl/client.h>

#include <string>

namespace dshowbase {

class CBasePin;

class CBaseFilter : public CUnknown, public IBaseFilter {
public:
    CBaseFilter(const wchar_t* objectName, REFCLSID clsid, CCritSec* lock);
    ~CBaseFilter() override;

    DSHOWBASE_DECLARE_IUNKNOWN
    HRESULT NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    // IPersist
    STDMETHODIMP GetClassID(CLSID* clsid) override;

    // IMediaFilter
    STDMETHODIMP Stop() override;
    STDMETHODIMP Pause() override;
    STDMETHODIMP Run(REFERENCE_TIME start) override;
    STDMETHODIMP GetState(DWORD timeoutMs, FILTER_STATE* state) override;
    STDMETHODIMP SetSyncSource(IReferenceClock* clock) override;
    STDMETHODIMP GetSyncSource(IReferenceClock** clock) override;

    // IBaseFilter
    STDMETHODIMP EnumPins(IEnumPins** pins) override;
    STDMETHODIMP FindPin(LPCWSTR id, IPin** pin) override;
    STDMETHODIMP QueryFilterInfo(FILTER_INFO* info) override;
    STDMETHODIMP JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) override;
    STDMETHODIMP QueryVendorInfo(LPWSTR* vendorInfo) override;

    virtual int GetPinCount() = 0;
    virtual CBasePin* GetPin(int index) = 0;

    // Sends an event to the graph's event sink (IMediaEventSink); E_NOTIMPL
    // while the filter is in no graph.
    HRESULT NotifyEvent(long code, LONG_PTR param1, LONG_PTR param2);

    // Asks the graph to reconnect a pin after its media type changed.
    HRESULT ReconnectPin(IPin* pin, const AM_MEDIA_TYPE* type);

    // The current stream time (clock time less the run start); fails without
    // a clock.
    HRESULT StreamTime(REFERENCE_TIME* time);

    FILTER_STATE State() const { return state_; }
    bool IsStopped() const { return state_ == State_Stopped; }
    bool IsActive() const { return state_ != State_Stopped; }
    REFERENCE_TIME RunStart();
    CCritSec* FilterLock() const { return lock_; }
    // Not referenced: the graph owns the filter, not the other way round.
    IFilterGraph* Graph() const { return graph_; }

protected:
    CCritSec* lock_;
    FILTER_STATE state_ = State_Stopped;

private:
    // The clock and run start are read by streaming threads, which must never
    // wait for the filter lock (a Stop holding it waits for them).
    CCritSec timeLock_;
    REFERENCE_TIME runStart_ = 0;
    Microsoft::WRL::ComPtr<IReferenceClock> clock_;
    CLSID clsid_;
    IFilterGraph* graph_ = nullptr;
    IMediaEventSink* eventSink_ = nullptr;
    std::wstring name_;
};

}  // namespace dshowbase
