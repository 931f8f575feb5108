// An output pin that delivers through the connected pin's IMemInputPin.
//
// Allocator choice when the connection completes: the downstream pin's
// allocator first, then a CLSID_MemoryAllocator; in both cases
// DecideBufferSize sets the properties and the downstream pin is told with
// NotifyAllocator. The allocator is committed when the filter leaves the
// stopped state and decommitted when it returns to it, which also wakes a
// streaming thread waiting in GetDeliveryBuffer.
#pragma once

#include "dshowbase/BasePin.h"

namespace dshowbase {

class CBaseOutputPin : public CBasePin {
public:
    CBaseOutputPin(const wchar_t* objectName, CBaseFilter* filter, CCritSec* lock, const wchar_t* pinName);
    ~CBaseOutputPin() override;

    // Sets the buffer count, size and alignment on the allocator, and checks
    // what it granted.
    virtual HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) = 0;

    HRESULT CheckConnect(IPin* pin) override;
    HRESULT CompleteConnect(IPin* receivePin) override;
    HRESULT BreakConnect() override;
    HRESULT Active() override;
    HRESULT Inactive() override;

    // Streaming side, safe without the filter lock.
    HRESULT GetDeliveryBuffer(IMediaSample** sample, REFERENCE_TIME* start, REFERENCE_TIME* stop, DWORD flags);
    HRESULT Deliver(IMediaSample* sample);
    HRESULT DeliverEndOfStream();
    HRESULT DeliverBeginFlush();
    HRESULT DeliverEndFlush();
    HRESULT DeliverNewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate);

    IMemAllocator* Allocator() const { return allocator_.Get(); }

protected:
    // Picks and sets up the allocator; the default tries the downstream
    // pin's, then a memory allocator.
    virtual HRESULT DecideAllocator(IMemInputPin* receiver, IMemAllocator** chosen);
    HRESULT TryAllocator(IMemInputPin* receiver, IMemAllocator* allocator, bool readOnly);
    virtual HRESULT InitAllocator(IMemAllocator** allocator);

    Microsoft::WRL::ComPtr<IMemAllocator> allocator_;
    Microsoft::WRL::ComPtr<IMemInputPin> receiver_;
};

}  // namespace dshowbase
