// A one-input, one-output transform filter: the frame of the effects and
// motion filters and of test pass-throughs.
//
// Using it:
//   class CMyFilter : public dshowbase::CTransformFilter {
//   public:
//       CMyFilter() : CTransformFilter(L"My Filter", CLSID_MyFilter) {}
//       HRESULT CheckInputType(const CMediaType* in) override;            // S_OK to accept
//       HRESULT CheckTransform(const CMediaType* in, const CMediaType* out) override;
//       HRESULT GetMediaType(int position, CMediaType* out) override;      // output types
//       HRESULT DecideBufferSize(IMemAllocator*, ALLOCATOR_PROPERTIES*) override;
//       HRESULT Transform(IMediaSample* in, IMediaSample* out) override;   // copy path
//   };
// The pins are "XForm In" and "XForm Out". Transform runs on the upstream
// filter's streaming thread under the streaming lock (StreamingLock()); the
// filter lock (FilterLock()) guards state changes and connections and is
// never held while a sample is processed. Returning S_FALSE from Transform
// drops the frame. Extra hooks: StartStreaming / StopStreaming (stopped <->
// paused, with both pins connected), CompleteConnect / BreakConnect /
// SetMediaType / CheckConnect per direction, EndOfStream, BeginFlush,
// EndFlush, NewSegment (each passes the call on downstream by default).
//
// In-place filters pass TransformMode::InPlace and override
// TransformInPlace(IMediaSample*). When the upstream filter writes into the same
// allocator the downstream pin reads from (the output pin offers the input's
// allocator first) and the buffers are writable, the sample is changed and
// delivered as it came; otherwise it is first copied into an output buffer.
//
// Graph events: NotifyEvent(code, param1, param2) from CBaseFilter.
// Negotiation.h has the usual one-type GetMediaType and allocator set-up;
// SampleCopy.h the sample copy a copy transform starts with.
#pragma once

#include "dshowbase/BaseFilter.h"
#include "dshowbase/InputPin.h"
#include "dshowbase/OutputPin.h"

#include <memory>

namespace dshowbase {

class CTransformFilter;

enum class TransformMode { Copy, InPlace };

class CTransformInputPin : public CBaseInputPin {
public:
    CTransformInputPin(CTransformFilter* filter, CCritSec* lock);

    HRESULT CheckMediaType(const CMediaType* type) override;
    HRESULT SetMediaType(const CMediaType* type) override;
    HRESULT CheckConnect(IPin* pin) override;
    HRESULT CompleteConnect(IPin* receivePin) override;
    HRESULT BreakConnect() override;

    STDMETHODIMP GetAllocator(IMemAllocator** allocator) override;
    STDMETHODIMP Receive(IMediaSample* sample) override;
    STDMETHODIMP ReceiveCanBlock() override;
    STDMETHODIMP EndOfStream() override;
    STDMETHODIMP BeginFlush() override;
    STDMETHODIMP EndFlush() override;
    STDMETHODIMP NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) override;

private:
    CTransformFilter* transform_;
};

class CTransformOutputPin : public CBaseOutputPin {
public:
    CTransformOutputPin(CTransformFilter* filter, CCritSec* lock);

    HRESULT CheckMediaType(const CMediaType* type) override;
    HRESULT GetMediaType(int position, CMediaType* type) override;
    HRESULT SetMediaType(const CMediaType* type) override;
    HRESULT CheckConnect(IPin* pin) override;
    HRESULT CompleteConnect(IPin* receivePin) override;
    HRESULT BreakConnect() override;
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;

protected:
    HRESULT DecideAllocator(IMemInputPin* receiver, IMemAllocator** chosen) override;

private:
    CTransformFilter* transform_;
};

class CTransformFilter : public CBaseFilter {
public:
    CTransformFilter(const wchar_t* objectName, REFCLSID clsid, TransformMode mode = TransformMode::Copy);
    ~CTransformFilter() override;

    int GetPinCount() override { return 2; }
    CBasePin* GetPin(int index) override;

    STDMETHODIMP Stop() override;
    STDMETHODIMP Pause() override;

    // --- What a derived filter provides ---
    virtual HRESULT CheckInputType(const CMediaType* input) = 0;
    virtual HRESULT CheckTransform(const CMediaType* input, const CMediaType* output) = 0;
    virtual HRESULT GetMediaType(int position, CMediaType* output) = 0;
    virtual HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) = 0;
    // Copy path; the default refuses (E_UNEXPECTED).
    virtual HRESULT Transform(IMediaSample* input, IMediaSample* output);
    // In-place path; the default refuses (E_UNEXPECTED).
    virtual HRESULT TransformInPlace(IMediaSample* sample);

    // --- Optional hooks ---
    virtual HRESULT StartStreaming();
    virtual HRESULT StopStreaming();
    virtual HRESULT CheckConnect(PIN_DIRECTION direction, IPin* pin);
    virtual HRESULT CompleteConnect(PIN_DIRECTION direction, IPin* receivePin);
    virtual HRESULT BreakConnect(PIN_DIRECTION direction);
    virtual HRESULT SetMediaType(PIN_DIRECTION direction, const CMediaType* type);
    virtual HRESULT Receive(IMediaSample* sample);
    virtual HRESULT EndOfStream();
    virtual HRESULT BeginFlush();
    virtual HRESULT EndFlush();
    virtual HRESULT NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate);

    CTransformInputPin* InputPin() const { return input_.get(); }
    CTransformOutputPin* OutputPin() const { return output_.get(); }
    CCritSec* StreamingLock() { return &receiveLock_; }
    TransformMode Mode() const { return mode_; }
    // Whether the last in-place frame went through without a copy.
    bool SharesAllocator() const;

protected:
    CCritSec filterLock_;
    CCritSec receiveLock_;

private:
    HRESULT ReceiveCopy(IMediaSample* sample);
    HRESULT ReceiveInPlace(IMediaSample* sample);
    HRESULT InitializeOutputSample(IMediaSample* input, IMediaSample** output);

    TransformMode mode_;
    bool endOfStreamDelivered_ = false;
    std::unique_ptr<CTransformInputPin> input_;
    std::unique_ptr<CTransformOutputPin> output_;
};

}  // namespace dshowbase
