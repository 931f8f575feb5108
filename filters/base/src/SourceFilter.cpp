#include "dshowbase/SourceFilter.h"

#include "failtrail/FailTrail.h"
#include "winowners/ThreadOwners.h"

#include <wrl/client.h>

#include <algorithm>

namespace dshowbase {
namespace {

// How long Stop waits for a streaming thread before giving up on it.
constexpr DWORD kThreadJoinMs = 10000;

LONGLONG Now100ns() {
    LARGE_INTEGER frequency;
    LARGE_INTEGER counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<LONGLONG>(static_cast<double>(counter.QuadPart) * 10000000.0 /
                                 static_cast<double>(frequency.QuadPart));
}

}  // namespace

CSourceFilter::CSourceFilter(const wchar_t* objectName, REFCLSID clsid, bool live)
    : CBaseFilter(objectName, clsid, &filterLock_), live_(live) {}

CSourceFilter::~CSourceFilter() {
    // Pins may still run threads if the filter is released without a Stop.
    Stop();
}

HRESULT CSourceFilter::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
    if (riid == IID_IAMFilterMiscFlags) {
        return GetInterface(static_cast<IAMFilterMiscFlags*>(this), ppv);
    }
    return CBaseFilter::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP CSourceFilter::GetState(DWORD timeoutMs, FILTER_STATE* state) {
    const HRESULT hr = CBaseFilter::GetState(timeoutMs, state);
    if (hr == S_OK && live_ && *state == State_Paused) {
        return VFW_S_CANT_CUE;
    }
    return hr;
}

STDMETHODIMP_(ULONG) CSourceFilter::GetMiscFlags() { return AM_FILTER_MISC_FLAGS_IS_SOURCE; }

CBasePin* CSourceFilter::GetPin(int index) {
    if (index < 0 || index >= GetPinCount()) {
        return nullptr;
    }
    return pins_[static_cast<size_t>(index)].get();
}

CSourceStreamPin::CSourceStreamPin(const wchar_t* objectName, CBaseFilter* filter, CCritSec* lock,
                                   const wchar_t* pinName)
    : CBaseOutputPin(objectName, filter, lock, pinName) {
    tryOwnTypesFirst_ = true;
}

CSourceStreamPin::~CSourceStreamPin() { StopThread(); }

bool CSourceStreamPin::ShouldDeliver(REFERENCE_TIME) { return true; }

HRESULT CSourceStreamPin::Active() {
    RETURN_IF_FAILED(CBaseOutputPin::Active());
    if (thread_) {
        return S_OK;
    }
    stopEvent_.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    wakeEvent_.reset(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    if (stopEvent_ && wakeEvent_) {
        delivered_ = 0;
        thread_.reset(CreateThread(nullptr, 0, &CSourceStreamPin::ThreadMain, this, 0, nullptr));
    }
    if (!thread_) {
        const HRESULT hr = HRESULT_FROM_WIN32(GetLastError());
        StopThread();
        CBaseOutputPin::Inactive();
        return FAILED(hr) ? hr : E_FAIL;
    }
    return S_OK;
}

HRESULT CSourceStreamPin::Inactive() {
    if (stopEvent_) {
        SetEvent(stopEvent_.get());
    }
    const HRESULT hr = CBaseOutputPin::Inactive();
    StopThread();
    return hr;
}

HRESULT CSourceStreamPin::Run(REFERENCE_TIME start) {
    if (wakeEvent_) {
        SetEvent(wakeEvent_.get());
    }
    return CBaseOutputPin::Run(start);
}

void CSourceStreamPin::StopThread() {
    if (thread_) {
        SetEvent(stopEvent_.get());
        // A downstream filter that never returns a Receive ends in a
        // terminated thread: better a lost thread than a graph that can
        // never stop.
        winowners::StopThread(thread_.get(), {kThreadJoinMs});
        thread_.reset();
    }
    stopEvent_.reset();
    wakeEvent_.reset();
}

DWORD WINAPI CSourceStreamPin::ThreadMain(void* self) {
    const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    static_cast<CSourceStreamPin*>(self)->StreamLoop();
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return 0;
}

void CSourceStreamPin::StreamLoop() {
    const HANDLE events[2] = {stopEvent_.get(), wakeEvent_.get()};
    LONGLONG index = 0;
    LONGLONG nextDue = 0;
    bool firstOfRun = true;
    for (;;) {
        if (WaitForSingleObject(stopEvent_.get(), 0) == WAIT_OBJECT_0) {
            return;
        }
        if (filter_->State() != State_Running) {
            // Paused: a live source produces nothing. Start afresh on Run.
            nextDue = 0;
            firstOfRun = true;
            if (WaitForMultipleObjects(2, events, FALSE, 50) == WAIT_OBJECT_0) {
                return;
            }
            continue;
        }
        const REFERENCE_TIME duration = BufferDuration() > 0 ? BufferDuration() : 333333;
        const LONGLONG now = Now100ns();
        if (nextDue == 0) {
            nextDue = now;
        }
        if (now < nextDue) {
            const DWORD waitMs = static_cast<DWORD>((nextDue - now + 9999) / 10000);
            if (WaitForMultipleObjects(2, events, FALSE, waitMs) == WAIT_OBJECT_0) {
                return;
            }
            continue;
        }
        const HRESULT hr = DeliverOne(index, firstOfRun);
        if (FAILED(hr)) {
            // No buffer (decommitted while stopping) or a refusal downstream:
            // try again at the next tick instead of spinning.
            if (WaitForSingleObject(stopEvent_.get(), 10) == WAIT_OBJECT_0) {
                return;
            }
        } else {
            firstOfRun = false;
        }
        ++index;
        nextDue += duration;
        if (nextDue < now - (std::max)(BacklogKept(), duration)) {
            nextDue = now;  // fell behind by more than is kept: skip, do not burst
        }
    }
}

HRESULT CSourceStreamPin::DeliverOne(LONGLONG index, bool firstOfRun) {
    Microsoft::WRL::ComPtr<IMediaSample> sample;
    RETURN_IF_FAILED(GetDeliveryBuffer(sample.GetAddressOf(), nullptr, nullptr, 0));
    const REFERENCE_TIME duration = BufferDuration();
    REFERENCE_TIME streamTime = -1;
    if (SUCCEEDED(filter_->StreamTime(&streamTime))) {
        REFERENCE_TIME stop = streamTime + duration;
        sample->SetTime(&streamTime, &stop);
    } else {
        streamTime = -1;
        sample->SetTime(nullptr, nullptr);
    }
    LONGLONG mediaStart = index;
    LONGLONG mediaStop = index + 1;
    sample->SetMediaTime(&mediaStart, &mediaStop);
    sample->SetSyncPoint(TRUE);
    sample->SetDiscontinuity(firstOfRun ? TRUE : FALSE);
    sample->SetPreroll(FALSE);

    HRESULT hr = FillBuffer(sample.Get(), index);
    if (hr != S_OK) {
        return FAILED(hr) ? hr : S_OK;
    }
    if (!ShouldDeliver(streamTime)) {
        return S_OK;
    }
    hr = Deliver(sample.Get());
    if (SUCCEEDED(hr)) {
        ++delivered_;
    }
    return hr;
}

}  // namespace dshowbase
