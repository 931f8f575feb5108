// An input pin with IMemInputPin. It hands out (or accepts) an allocator,
// checks that samples arrive in a streaming state, follows a media type that
// travels on a sample, and tracks flushing and end of stream. Derived pins
// override Receive, call CBaseInputPin::Receive first, and go on only on S_OK.
#pragma once

#include "dshowbase/BasePin.h"

namespace dshowbase {

class CBaseInputPin : public CBasePin, public IMemInputPin {
public:
    CBaseInputPin(const wchar_t* objectName, CBaseFilter* filter, CCritSec* lock, const wchar_t* pinName);
    ~CBaseInputPin() override;

    DSHOWBASE_DECLARE_IUNKNOWN
    HRESULT NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    // IMemInputPin
    STDMETHODIMP GetAllocator(IMemAllocator** allocator) override;
    STDMETHODIMP NotifyAllocator(IMemAllocator* allocator, BOOL readOnly) override;
    STDMETHODIMP GetAllocatorRequirements(ALLOCATOR_PROPERTIES* properties) override;
    STDMETHODIMP Receive(IMediaSample* sample) override;
    STDMETHODIMP ReceiveMultiple(IMediaSample** samples, long count, long* processed) override;
    STDMETHODIMP ReceiveCanBlock() override;

    // IPin
    STDMETHODIMP BeginFlush() override;
    STDMETHODIMP EndFlush() override;
    STDMETHODIMP EndOfStream() override;

    HRESULT BreakConnect() override;
    HRESULT Active() override;
    HRESULT Inactive() override;

    // S_OK while samples may be processed; S_FALSE while flushing; an error
    // when unconnected, stopped, past a run-time error, or after end of stream.
    HRESULT CheckStreaming();

    bool IsFlushing() const { return flushing_; }
    bool IsReadOnly() const { return readOnly_; }
    IMemAllocator* Allocator() const { return allocator_.Get(); }
    // A streaming failure: further samples are refused until the next stop.
    void SetRuntimeError() { runtimeError_ = true; }

protected:
    Microsoft::WRL::ComPtr<IMemAllocator> allocator_;
    volatile bool flushing_ = false;
    volatile bool endOfStream_ = false;
    volatile bool runtimeError_ = false;
    bool readOnly_ = false;
};

}  // namespace dshowbase
