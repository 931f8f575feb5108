#include "dshowbase/OutputPin.h"
#include "failtrail/FailTrail.h"

namespace dshowbase {

CBaseOutputPin::CBaseOutputPin(const wchar_t* objectName, CBaseFilter* filter, CCritSec* lock, const wchar_t* pinName)
    : CBasePin(objectName, filter, lock, pinName, PINDIR_OUTPUT) {}

CBaseOutputPin::~CBaseOutputPin() = default;

HRESULT CBaseOutputPin::CheckConnect(IPin* pin) {
    RETURN_IF_FAILED(CBasePin::CheckConnect(pin));
    receiver_.Reset();
    const HRESULT hr = pin->QueryInterface(IID_IMemInputPin, reinterpret_cast<void**>(receiver_.GetAddressOf()));
    return FAILED(hr) ? VFW_E_NO_TRANSPORT : S_OK;
}

HRESULT CBaseOutputPin::CompleteConnect(IPin*) {
    allocator_.Reset();
    return DecideAllocator(receiver_.Get(), allocator_.GetAddressOf());
}

HRESULT CBaseOutputPin::BreakConnect() {
    if (allocator_) {
        allocator_->Decommit();
        allocator_.Reset();
    }
    receiver_.Reset();
    return S_OK;
}

HRESULT CBaseOutputPin::TryAllocator(IMemInputPin* receiver, IMemAllocator* allocator, bool readOnly) {
    ALLOCATOR_PROPERTIES request{};
    // What the receiver wants is a starting point; DecideBufferSize decides.
    receiver->GetAllocatorRequirements(&request);
    if (request.cbAlign == 0) {
        request.cbAlign = 1;
    }
    RETURN_IF_FAILED(DecideBufferSize(allocator, &request));
    return receiver->NotifyAllocator(allocator, readOnly ? TRUE : FALSE);
}

HRESULT CBaseOutputPin::DecideAllocator(IMemInputPin* receiver, IMemAllocator** chosen) {
    if (receiver == nullptr || chosen == nullptr) {
        return E_POINTER;
    }
    *chosen = nullptr;
    Microsoft::WRL::ComPtr<IMemAllocator> allocator;
    if (SUCCEEDED(receiver->GetAllocator(allocator.GetAddressOf())) && allocator &&
        SUCCEEDED(TryAllocator(receiver, allocator.Get(), false))) {
        *chosen = allocator.Detach();
        return S_OK;
    }
    allocator.Reset();
    RETURN_IF_FAILED(InitAllocator(allocator.GetAddressOf()));
    RETURN_IF_FAILED(TryAllocator(receiver, allocator.Get(), false));
    *chosen = allocator.Detach();
    return S_OK;
}

HRESULT CBaseOutputPin::InitAllocator(IMemAllocator** allocator) {
    return CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_IMemAllocator,
                            reinterpret_cast<void**>(allocator));
}

HRESULT CBaseOutputPin::Active() {
    if (!allocator_) {
        return VFW_E_NO_ALLOCATOR;
    }
    return allocator_->Commit();
}

HRESULT CBaseOutputPin::Inactive() {
    if (!allocator_) {
        return VFW_E_NO_ALLOCATOR;
    }
    return allocator_->Decommit();
}

HRESULT CBaseOutputPin::GetDeliveryBuffer(IMediaSample** sample, REFERENCE_TIME* start, REFERENCE_TIME* stop,
                                          DWORD flags) {
    if (sample == nullptr) {
        return E_POINTER;
    }
    *sample = nullptr;
    Microsoft::WRL::ComPtr<IMemAllocator> allocator = allocator_;
    if (!allocator) {
        return VFW_E_NO_ALLOCATOR;
    }
    return allocator->GetBuffer(sample, start, stop, flags);
}

HRESULT CBaseOutputPin::Deliver(IMediaSample* sample) {
    Microsoft::WRL::ComPtr<IMemInputPin> receiver = receiver_;
    if (!receiver) {
        return VFW_E_NOT_CONNECTED;
    }
    return receiver->Receive(sample);
}

HRESULT CBaseOutputPin::DeliverEndOfStream() {
    Microsoft::WRL::ComPtr<IPin> pin = connected_;
    return pin ? pin->EndOfStream() : VFW_E_NOT_CONNECTED;
}

HRESULT CBaseOutputPin::DeliverBeginFlush() {
    Microsoft::WRL::ComPtr<IPin> pin = connected_;
    return pin ? pin->BeginFlush() : VFW_E_NOT_CONNECTED;
}

HRESULT CBaseOutputPin::DeliverEndFlush() {
    Microsoft::WRL::ComPtr<IPin> pin = connected_;
    return pin ? pin->EndFlush() : VFW_E_NOT_CONNECTED;
}

HRESULT CBaseOutputPin::DeliverNewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) {
    Microsoft::WRL::ComPtr<IPin> pin = connected_;
    return pin ? pin->NewSegment(start, stop, rate) : VFW_E_NOT_CONNECTED;
}

}  // namespace dshowbase
