#include "dshowbase/TransformFilter.h"
#include "CallGuard.h"
#include "failtrail/FailTrail.h"

#include "dshowbase/SampleCopy.h"

#include <wrl/client.h>

namespace dshowbase {

CTransformFilter::CTransformFilter(const wchar_t* objectName, REFCLSID clsid, TransformMode mode)
    : CBaseFilter(objectName, clsid, &filterLock_),
      mode_(mode),
      input_(new CTransformInputPin(this, &filterLock_)),
      output_(new CTransformOutputPin(this, &filterLock_)) {}

CTransformFilter::~CTransformFilter() = default;

CBasePin* CTransformFilter::GetPin(int index) {
    switch (index) {
    case 0: return input_.get();
    case 1: return output_.get();
    default: return nullptr;
    }
}

STDMETHODIMP CTransformFilter::Stop() {
    return boundary::GuardedCall([&]() -> HRESULT {
        CAutoLock lock(&filterLock_);
        if (state_ == State_Stopped) {
            return S_OK;
        }
        // New samples are refused from here on; decommitting both allocators
        // releases a frame in progress that waits for a buffer, so the wait for
        // the streaming lock below cannot hang.
        state_ = State_Stopped;
        if (input_->IsConnected()) {
            input_->Inactive();
        }
        if (output_->IsConnected()) {
            output_->Inactive();
        }
        HRESULT hr = S_OK;
        {
            CAutoLock streaming(&receiveLock_);
            if (input_->IsConnected() && output_->IsConnected()) {
                hr = StopStreaming();
            }
        }
        endOfStreamDelivered_ = false;
        return hr;
    });
}

STDMETHODIMP CTransformFilter::Pause() {
    return boundary::GuardedCall([&]() -> HRESULT {
        CAutoLock lock(&filterLock_);
        HRESULT hr = S_OK;
        if (!input_->IsConnected()) {
            // Nothing will ever arrive: tell downstream at once so a renderer
            // does not wait for a first frame.
            if (output_->IsConnected() && !endOfStreamDelivered_) {
                output_->DeliverEndOfStream();
                endOfStreamDelivered_ = true;
            }
        } else if (!output_->IsConnected()) {
            endOfStreamDelivered_ = false;
        } else if (state_ == State_Stopped) {
            CAutoLock streaming(&receiveLock_);
            hr = StartStreaming();
        }
        if (FAILED(hr)) {
            return hr;
        }
        return CBaseFilter::Pause();
    });
}

HRESULT CTransformFilter::Transform(IMediaSample*, IMediaSample*) { return E_UNEXPECTED; }

HRESULT CTransformFilter::TransformInPlace(IMediaSample*) { return E_UNEXPECTED; }

HRESULT CTransformFilter::StartStreaming() { return S_OK; }
HRESULT CTransformFilter::StopStreaming() { return S_OK; }
HRESULT CTransformFilter::CheckConnect(PIN_DIRECTION, IPin*) { return S_OK; }
HRESULT CTransformFilter::CompleteConnect(PIN_DIRECTION, IPin*) { return S_OK; }
HRESULT CTransformFilter::BreakConnect(PIN_DIRECTION) { return S_OK; }
HRESULT CTransformFilter::SetMediaType(PIN_DIRECTION, const CMediaType*) { return S_OK; }

HRESULT CTransformFilter::EndOfStream() { return output_->DeliverEndOfStream(); }

HRESULT CTransformFilter::BeginFlush() { return output_->DeliverBeginFlush(); }

HRESULT CTransformFilter::EndFlush() { return output_->DeliverEndFlush(); }

HRESULT CTransformFilter::NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) {
    return output_->DeliverNewSegment(start, stop, rate);
}

bool CTransformFilter::SharesAllocator() const {
    IMemAllocator* in = input_->Allocator();
    return in != nullptr && in == output_->Allocator() && !input_->IsReadOnly();
}

HRESULT CTransformFilter::InitializeOutputSample(IMediaSample* input, IMediaSample** output) {
    *output = nullptr;
    Microsoft::WRL::ComPtr<IMediaSample> sample;
    RETURN_IF_FAILED(output_->GetDeliveryBuffer(sample.GetAddressOf(), nullptr, nullptr, 0));
    CopySampleTimes(input, sample.Get());
    sample->SetSyncPoint(input->IsSyncPoint() == S_OK ? TRUE : FALSE);
    sample->SetDiscontinuity(input->IsDiscontinuity() == S_OK ? TRUE : FALSE);
    sample->SetPreroll(input->IsPreroll() == S_OK ? TRUE : FALSE);
    *output = sample.Detach();
    return S_OK;
}

HRESULT CTransformFilter::Receive(IMediaSample* sample) {
    if (!output_->IsConnected()) {
        return VFW_E_NOT_CONNECTED;
    }
    return mode_ == TransformMode::InPlace ? ReceiveInPlace(sample) : ReceiveCopy(sample);
}

HRESULT CTransformFilter::ReceiveCopy(IMediaSample* sample) {
    Microsoft::WRL::ComPtr<IMediaSample> output;
    RETURN_IF_FAILED(InitializeOutputSample(sample, output.GetAddressOf()));
    const HRESULT hr = Transform(sample, output.Get());
    if (hr == S_FALSE) {
        return S_OK;  // the filter chose to drop this frame
    }
    if (FAILED(hr)) {
        return hr;
    }
    return output_->Deliver(output.Get());
}

HRESULT CTransformFilter::ReceiveInPlace(IMediaSample* sample) {
    if (SharesAllocator()) {
        const HRESULT hr = TransformInPlace(sample);
        if (hr == S_FALSE) {
            return S_OK;
        }
        if (FAILED(hr)) {
            return hr;
        }
        return output_->Deliver(sample);
    }
    // The upstream buffer is not ours to change (another allocator, or
    // read-only): work on a copy.
    Microsoft::WRL::ComPtr<IMediaSample> output;
    RETURN_IF_FAILED(InitializeOutputSample(sample, output.GetAddressOf()));
    RETURN_IF_FAILED(CopySample(sample, output.Get()));
    const HRESULT hr = TransformInPlace(output.Get());
    if (hr == S_FALSE) {
        return S_OK;
    }
    if (FAILED(hr)) {
        return hr;
    }
    return output_->Deliver(output.Get());
}

}  // namespace dshowbase
