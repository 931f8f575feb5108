// The two pins of CTransformFilter: each forwards negotiation and stream
// calls to the filter, which owns the decisions.
#include "dshowbase/TransformFilter.h"
#include "CallGuard.h"
#include "failtrail/FailTrail.h"

namespace dshowbase {

CTransformInputPin::CTransformInputPin(CTransformFilter* filter, CCritSec* lock)
    : CBaseInputPin(L"transform input pin", filter, lock, L"XForm In"), transform_(filter) {}

HRESULT CTransformInputPin::CheckMediaType(const CMediaType* type) {
    HRESULT hr = transform_->CheckInputType(type);
    if (hr != S_OK) {
        return FAILED(hr) ? hr : VFW_E_TYPE_NOT_ACCEPTED;
    }
    CTransformOutputPin* output = transform_->OutputPin();
    if (output->IsConnected()) {
        hr = transform_->CheckTransform(type, &output->CurrentMediaType());
    }
    return hr;
}

HRESULT CTransformInputPin::SetMediaType(const CMediaType* type) {
    RETURN_IF_FAILED(CBaseInputPin::SetMediaType(type));
    return transform_->SetMediaType(PINDIR_INPUT, type);
}

HRESULT CTransformInputPin::CheckConnect(IPin* pin) {
    RETURN_IF_FAILED(transform_->CheckConnect(PINDIR_INPUT, pin));
    return CBaseInputPin::CheckConnect(pin);
}

HRESULT CTransformInputPin::CompleteConnect(IPin* receivePin) {
    RETURN_IF_FAILED(transform_->CompleteConnect(PINDIR_INPUT, receivePin));
    // A new input type the existing output connection cannot carry: the
    // graph is asked to renegotiate the output.
    CTransformOutputPin* output = transform_->OutputPin();
    if (output->IsConnected() && transform_->CheckTransform(&CurrentMediaType(), &output->CurrentMediaType()) != S_OK) {
        transform_->ReconnectPin(output, nullptr);
    }
    return CBaseInputPin::CompleteConnect(receivePin);
}

HRESULT CTransformInputPin::BreakConnect() {
    transform_->BreakConnect(PINDIR_INPUT);
    return CBaseInputPin::BreakConnect();
}

STDMETHODIMP CTransformInputPin::GetAllocator(IMemAllocator** allocator) {
    if (allocator == nullptr) {
        return E_POINTER;
    }
    if (transform_->Mode() == TransformMode::InPlace) {
        CAutoLock lock(lock_);
        IMemAllocator* shared = transform_->OutputPin()->Allocator();
        if (shared != nullptr) {
            *allocator = shared;
            shared->AddRef();
            return S_OK;
        }
    }
    return CBaseInputPin::GetAllocator(allocator);
}

STDMETHODIMP CTransformInputPin::Receive(IMediaSample* sample) {
    return boundary::GuardedCall([&]() -> HRESULT {
        CAutoLock lock(transform_->StreamingLock());
        HRESULT hr = CBaseInputPin::Receive(sample);
        if (hr != S_OK) {
            return hr;
        }
        return transform_->Receive(sample);
    });
}

STDMETHODIMP CTransformInputPin::ReceiveCanBlock() {
    CTransformOutputPin* output = transform_->OutputPin();
    Microsoft::WRL::ComPtr<IPin> downstream(output->ConnectedPin());
    if (!downstream) {
        return S_OK;
    }
    Microsoft::WRL::ComPtr<IMemInputPin> receiver;
    if (FAILED(downstream.As(&receiver))) {
        return S_OK;
    }
    return receiver->ReceiveCanBlock();
}

STDMETHODIMP CTransformInputPin::EndOfStream() {
    return boundary::GuardedCall([&]() -> HRESULT {
        CAutoLock lock(transform_->StreamingLock());
        HRESULT hr = CheckStreaming();
        if (hr != S_OK) {
            return hr;
        }
        RETURN_IF_FAILED(CBaseInputPin::EndOfStream());
        return transform_->EndOfStream();
    });
}

STDMETHODIMP CTransformInputPin::BeginFlush() {
    // Not the streaming lock: the streaming thread may be waiting
    // downstream, and the flush is what releases it.
    CAutoLock lock(lock_);
    if (!IsConnected() || !transform_->OutputPin()->IsConnected()) {
        return VFW_E_NOT_CONNECTED;
    }
    RETURN_IF_FAILED(CBaseInputPin::BeginFlush());
    return transform_->BeginFlush();
}

STDMETHODIMP CTransformInputPin::EndFlush() {
    CAutoLock lock(lock_);
    if (!IsConnected() || !transform_->OutputPin()->IsConnected()) {
        return VFW_E_NOT_CONNECTED;
    }
    RETURN_IF_FAILED(transform_->EndFlush());
    return CBaseInputPin::EndFlush();
}

STDMETHODIMP CTransformInputPin::NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) {
    return boundary::GuardedCall([&]() -> HRESULT {
        CBasePin::NewSegment(start, stop, rate);
        return transform_->NewSegment(start, stop, rate);
    });
}

CTransformOutputPin::CTransformOutputPin(CTransformFilter* filter, CCritSec* lock)
    : CBaseOutputPin(L"transform output pin", filter, lock, L"XForm Out"), transform_(filter) {}

HRESULT CTransformOutputPin::CheckMediaType(const CMediaType* type) {
    CTransformInputPin* input = transform_->InputPin();
    if (!input->IsConnected()) {
        return E_UNEXPECTED;
    }
    return transform_->CheckTransform(&input->CurrentMediaType(), type);
}

HRESULT CTransformOutputPin::GetMediaType(int position, CMediaType* type) {
    return transform_->GetMediaType(position, type);
}

HRESULT CTransformOutputPin::SetMediaType(const CMediaType* type) {
    RETURN_IF_FAILED(CBaseOutputPin::SetMediaType(type));
    return transform_->SetMediaType(PINDIR_OUTPUT, type);
}

HRESULT CTransformOutputPin::CheckConnect(IPin* pin) {
    // An output type is derived from the input type: no input, no output.
    if (!transform_->InputPin()->IsConnected()) {
        return E_UNEXPECTED;
    }
    RETURN_IF_FAILED(transform_->CheckConnect(PINDIR_OUTPUT, pin));
    return CBaseOutputPin::CheckConnect(pin);
}

HRESULT CTransformOutputPin::CompleteConnect(IPin* receivePin) {
    RETURN_IF_FAILED(CBaseOutputPin::CompleteConnect(receivePin));
    return transform_->CompleteConnect(PINDIR_OUTPUT, receivePin);
}

HRESULT CTransformOutputPin::BreakConnect() {
    transform_->BreakConnect(PINDIR_OUTPUT);
    return CBaseOutputPin::BreakConnect();
}

HRESULT CTransformOutputPin::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) {
    return transform_->DecideBufferSize(allocator, request);
}

HRESULT CTransformOutputPin::DecideAllocator(IMemInputPin* receiver, IMemAllocator** chosen) {
    // In place: offer the allocator the upstream filter already fills, so
    // that a frame can pass through without a copy. Its buffers were sized
    // for this very media type when the input connected.
    if (transform_->Mode() == TransformMode::InPlace && receiver != nullptr && chosen != nullptr) {
        CTransformInputPin* input = transform_->InputPin();
        IMemAllocator* upstream = input->Allocator();
        if (upstream != nullptr && SUCCEEDED(receiver->NotifyAllocator(upstream, input->IsReadOnly() ? TRUE : FALSE))) {
            *chosen = upstream;
            upstream->AddRef();
            return S_OK;
        }
    }
    return CBaseOutputPin::DecideAllocator(receiver, chosen);
}

}  // namespace dshowbase
