#include "dshowbase/InputPin.h"
#include "CallGuard.h"
#include "failtrail/FailTrail.h"

#include "dshowbase/BaseFilter.h"

namespace dshowbase {

CBaseInputPin::CBaseInputPin(const wchar_t* objectName, CBaseFilter* filter, CCritSec* lock, const wchar_t* pinName)
    : CBasePin(objectName, filter, lock, pinName, PINDIR_INPUT) {}

CBaseInputPin::~CBaseInputPin() = default;

HRESULT CBaseInputPin::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
    if (riid == IID_IMemInputPin) {
        return GetInterface(static_cast<IMemInputPin*>(this), ppv);
    }
    return CBasePin::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP CBaseInputPin::GetAllocator(IMemAllocator** allocator) {
    if (allocator == nullptr) {
        return E_POINTER;
    }
    *allocator = nullptr;
    CAutoLock lock(lock_);
    if (!allocator_) {
        RETURN_IF_FAILED(CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_IMemAllocator,
                                          reinterpret_cast<void**>(allocator_.GetAddressOf())));
    }
    *allocator = allocator_.Get();
    (*allocator)->AddRef();
    return S_OK;
}

STDMETHODIMP CBaseInputPin::NotifyAllocator(IMemAllocator* allocator, BOOL readOnly) {
    return boundary::GuardedCall([&]() -> HRESULT {
        if (allocator == nullptr) {
            return E_POINTER;
        }
        CAutoLock lock(lock_);
        allocator_ = allocator;
        readOnly_ = readOnly != FALSE;
        return S_OK;
    });
}

STDMETHODIMP CBaseInputPin::GetAllocatorRequirements(ALLOCATOR_PROPERTIES*) { return E_NOTIMPL; }

HRESULT CBaseInputPin::CheckStreaming() {
    if (!IsConnected()) {
        return VFW_E_NOT_CONNECTED;
    }
    if (IsStopped()) {
        return VFW_E_WRONG_STATE;
    }
    if (flushing_) {
        return S_FALSE;
    }
    if (runtimeError_) {
        return VFW_E_RUNTIME_ERROR;
    }
    if (endOfStream_) {
        return VFW_E_SAMPLE_REJECTED_EOS;
    }
    return S_OK;
}

STDMETHODIMP CBaseInputPin::Receive(IMediaSample* sample) {
    return boundary::GuardedCall([&]() -> HRESULT {
        if (sample == nullptr) {
            return E_POINTER;
        }
        HRESULT hr = CheckStreaming();
        if (hr != S_OK) {
            return hr;
        }
        // A sample may carry a new type (a dynamic format change): refuse one
        // this pin cannot take, so nothing downstream misreads the buffer.
        AM_MEDIA_TYPE* changed = nullptr;
        if (sample->GetMediaType(&changed) == S_OK && changed != nullptr) {
            const CMediaType type(*changed);
            DeleteMediaType(changed);
            hr = CheckMediaType(&type);
            if (hr != S_OK) {
                runtimeError_ = true;
                filter_->NotifyEvent(EC_ERRORABORT, VFW_E_TYPE_NOT_ACCEPTED, 0);
                return VFW_E_INVALIDMEDIATYPE;
            }
            RETURN_IF_FAILED(SetMediaType(&type));
        }
        return S_OK;
    });
}

STDMETHODIMP CBaseInputPin::ReceiveMultiple(IMediaSample** samples, long count, long* processed) {
    return boundary::GuardedCall([&]() -> HRESULT {
        if (samples == nullptr || processed == nullptr) {
            return E_POINTER;
        }
        *processed = 0;
        HRESULT hr = S_OK;
        while (*processed < count) {
            hr = Receive(samples[*processed]);
            if (hr != S_OK) {
                break;
            }
            ++*processed;
        }
        return hr;
    });
}

STDMETHODIMP CBaseInputPin::ReceiveCanBlock() { return S_OK; }

STDMETHODIMP CBaseInputPin::BeginFlush() {
    CAutoLock lock(lock_);
    flushing_ = true;
    return S_OK;
}

STDMETHODIMP CBaseInputPin::EndFlush() {
    CAutoLock lock(lock_);
    flushing_ = false;
    endOfStream_ = false;
    runtimeError_ = false;
    return S_OK;
}

STDMETHODIMP CBaseInputPin::EndOfStream() {
    return boundary::GuardedCall([&]() -> HRESULT {
        const HRESULT hr = CheckStreaming();
        if (hr == S_OK) {
            endOfStream_ = true;
        }
        return hr;
    });
}

HRESULT CBaseInputPin::BreakConnect() {
    if (allocator_) {
        allocator_->Decommit();
        allocator_.Reset();
    }
    readOnly_ = false;
    return S_OK;
}

HRESULT CBaseInputPin::Active() {
    flushing_ = false;
    endOfStream_ = false;
    runtimeError_ = false;
    return S_OK;
}

HRESULT CBaseInputPin::Inactive() {
    flushing_ = false;
    endOfStream_ = false;
    runtimeError_ = false;
    // Decommitting here, not only upstream, releases an upstream thread that
    // waits for a buffer of this allocator once we are stopped.
    if (allocator_) {
        return allocator_->Decommit();
    }
    return S_OK;
}

}  // namespace dshowbase
