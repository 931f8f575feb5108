#include "dshowbase/BaseFilter.h"
#include "CallGuard.h"
#include "failtrail/FailTrail.h"

#include "dshowbase/BasePin.h"
#include "dshowbase/Enumerators.h"

#include <wrl/client.h>

#include <new>
#include <vector>

namespace dshowbase {

CBaseFilter::CBaseFilter(const wchar_t* objectName, REFCLSID clsid, CCritSec* lock)
    : CUnknown(objectName), lock_(lock), clsid_(clsid) {}

CBaseFilter::~CBaseFilter() = default;

HRESULT CBaseFilter::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
    if (riid == IID_IUnknown || riid == IID_IBaseFilter) {
        return GetInterface(static_cast<IBaseFilter*>(this), ppv);
    }
    if (riid == IID_IMediaFilter) {
        return GetInterface(static_cast<IMediaFilter*>(this), ppv);
    }
    if (riid == IID_IPersist) {
        return GetInterface(static_cast<IPersist*>(this), ppv);
    }
    return CUnknown::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP CBaseFilter::GetClassID(CLSID* clsid) {
    if (clsid == nullptr) {
        return E_POINTER;
    }
    *clsid = clsid_;
    return S_OK;
}

STDMETHODIMP CBaseFilter::Stop() {
    return boundary::GuardedCall([&]() -> HRESULT {
        CAutoLock lock(lock_);
        HRESULT result = S_OK;
        if (state_ != State_Stopped) {
            for (int i = 0; i < GetPinCount(); ++i) {
                CBasePin* pin = GetPin(i);
                if (pin != nullptr && pin->IsConnected()) {
                    const HRESULT hr = pin->Inactive();
                    if (FAILED(hr) && SUCCEEDED(result)) {
                        result = hr;
                    }
                }
            }
        }
        state_ = State_Stopped;
        return result;
    });
}

STDMETHODIMP CBaseFilter::Pause() {
    return boundary::GuardedCall([&]() -> HRESULT {
        CAutoLock lock(lock_);
        if (state_ == State_Stopped) {
            for (int i = 0; i < GetPinCount(); ++i) {
                CBasePin* pin = GetPin(i);
                if (pin != nullptr && pin->IsConnected()) {
                    const HRESULT hr = pin->Active();
                    if (FAILED(hr)) {
                        // Leave every pin inactive again: half-started pins would
                        // hold committed allocators and running threads.
                        for (int j = 0; j < i; ++j) {
                            CBasePin* started = GetPin(j);
                            if (started != nullptr && started->IsConnected()) {
                                started->Inactive();
                            }
                        }
                        return hr;
                    }
                }
            }
        }
        state_ = State_Paused;
        return S_OK;
    });
}

STDMETHODIMP CBaseFilter::Run(REFERENCE_TIME start) {
    return boundary::GuardedCall([&]() -> HRESULT {
        CAutoLock lock(lock_);
        if (state_ == State_Stopped) {
            RETURN_IF_FAILED(Pause());
        }
        {
            CAutoLock timeLock(&timeLock_);
            runStart_ = start;
        }
        if (state_ != State_Running) {
            for (int i = 0; i < GetPinCount(); ++i) {
                CBasePin* pin = GetPin(i);
                if (pin != nullptr && pin->IsConnected()) {
                    RETURN_IF_FAILED(pin->Run(start));
                }
            }
        }
        state_ = State_Running;
        return S_OK;
    });
}

STDMETHODIMP CBaseFilter::GetState(DWORD, FILTER_STATE* state) {
    if (state == nullptr) {
        return E_POINTER;
    }
    *state = state_;
    return S_OK;
}

STDMETHODIMP CBaseFilter::SetSyncSource(IReferenceClock* clock) {
    CAutoLock lock(lock_);
    CAutoLock timeLock(&timeLock_);
    clock_ = clock;
    return S_OK;
}

STDMETHODIMP CBaseFilter::GetSyncSource(IReferenceClock** clock) {
    if (clock == nullptr) {
        return E_POINTER;
    }
    CAutoLock lock(&timeLock_);
    *clock = clock_.Get();
    if (*clock != nullptr) {
        (*clock)->AddRef();
    }
    return S_OK;
}

STDMETHODIMP CBaseFilter::EnumPins(IEnumPins** pins) {
    return boundary::GuardedCall([&]() -> HRESULT {
        if (pins == nullptr) {
            return E_POINTER;
        }
        *pins = nullptr;
        std::vector<Microsoft::WRL::ComPtr<IPin>> list;
        for (int i = 0; i < GetPinCount(); ++i) {
            if (CBasePin* pin = GetPin(i)) {
                list.emplace_back(static_cast<IPin*>(pin));
            }
        }
        auto* enumerator = new (std::nothrow) CEnumPins(std::move(list));
        RETURN_IF_NULL_ALLOC(enumerator);
        return enumerator->NonDelegatingQueryInterface(IID_IEnumPins, reinterpret_cast<void**>(pins));
    });
}

STDMETHODIMP CBaseFilter::FindPin(LPCWSTR id, IPin** pin) {
    if (id == nullptr || pin == nullptr) {
        return E_POINTER;
    }
    *pin = nullptr;
    for (int i = 0; i < GetPinCount(); ++i) {
        CBasePin* candidate = GetPin(i);
        if (candidate != nullptr && candidate->Name() == id) {
            *pin = candidate;
            (*pin)->AddRef();
            return S_OK;
        }
    }
    return VFW_E_NOT_FOUND;
}

STDMETHODIMP CBaseFilter::QueryFilterInfo(FILTER_INFO* info) {
    return boundary::GuardedCall([&]() -> HRESULT {
        if (info == nullptr) {
            return E_POINTER;
        }
        CAutoLock lock(lock_);
        const size_t capacity = sizeof(info->achName) / sizeof(info->achName[0]);
        const size_t length = name_.size() < capacity ? name_.size() : capacity - 1;
        name_.copy(info->achName, length);
        info->achName[length] = L'\0';
        info->pGraph = graph_;
        if (graph_ != nullptr) {
            graph_->AddRef();
        }
        return S_OK;
    });
}

STDMETHODIMP CBaseFilter::JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) {
    return boundary::GuardedCall([&]() -> HRESULT {
        CAutoLock lock(lock_);
        graph_ = graph;
        eventSink_ = nullptr;
        if (graph != nullptr) {
            // The sink belongs to the graph that owns us: keep it unreferenced,
            // a reference would be a cycle the graph could never break.
            Microsoft::WRL::ComPtr<IMediaEventSink> sink;
            if (SUCCEEDED(graph->QueryInterface(IID_IMediaEventSink, reinterpret_cast<void**>(sink.GetAddressOf())))) {
                eventSink_ = sink.Get();
            }
        }
        name_ = name != nullptr ? name : L"";
        return S_OK;
    });
}

STDMETHODIMP CBaseFilter::QueryVendorInfo(LPWSTR* vendorInfo) {
    if (vendorInfo != nullptr) {
        *vendorInfo = nullptr;
    }
    return E_NOTIMPL;
}

HRESULT CBaseFilter::NotifyEvent(long code, LONG_PTR param1, LONG_PTR param2) {
    IMediaEventSink* sink = eventSink_;
    if (sink == nullptr) {
        return E_NOTIMPL;
    }
    // EC_COMPLETE carries the sender so the graph can count its renderers.
    if (code == EC_COMPLETE && param2 == 0) {
        param2 = reinterpret_cast<LONG_PTR>(static_cast<IBaseFilter*>(this));
    }
    return sink->Notify(code, param1, param2);
}

HRESULT CBaseFilter::ReconnectPin(IPin* pin, const AM_MEDIA_TYPE* type) {
    IFilterGraph* graph = graph_;
    if (graph == nullptr) {
        return E_NOINTERFACE;
    }
    Microsoft::WRL::ComPtr<IFilterGraph2> graph2;
    if (SUCCEEDED(graph->QueryInterface(IID_IFilterGraph2, reinterpret_cast<void**>(graph2.GetAddressOf())))) {
        return graph2->ReconnectEx(pin, type);
    }
    return graph->Reconnect(pin);
}

REFERENCE_TIME CBaseFilter::RunStart() {
    CAutoLock lock(&timeLock_);
    return runStart_;
}

HRESULT CBaseFilter::StreamTime(REFERENCE_TIME* time) {
    if (time == nullptr) {
        return E_POINTER;
    }
    Microsoft::WRL::ComPtr<IReferenceClock> clock;
    REFERENCE_TIME start = 0;
    {
        CAutoLock lock(&timeLock_);
        clock = clock_;
        start = runStart_;
    }
    if (!clock) {
        return VFW_E_NO_CLOCK;
    }
    REFERENCE_TIME now = 0;
    RETURN_IF_FAILED(clock->GetTime(&now));
    *time = now - start;
    return S_OK;
}

}  // namespace dshowbase
