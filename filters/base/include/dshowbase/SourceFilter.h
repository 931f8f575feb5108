// A push source: a filter whose output pins each run a streaming thread
// while the filter is paused or running, and deliver buffers only while it
// runs (a live source, like a camera or a microphone).
//
// A pin derives from CSourceStreamPin and provides:
//   FillBuffer(sample, index)  fill the buffer and its actual length; S_OK
//                              delivers, S_FALSE skips this buffer
//   BufferDuration()           100-ns units between buffers (the pace)
//   BacklogKept()              how far behind its pace the thread may fall
//                              and still deliver every buffer (default: one
//                              buffer; later ones are skipped, as a camera
//                              drops frames)
// Before FillBuffer the pin stamps the sample with the stream time (when the
// graph has a clock), the media time index..index+1, a sync point, and a
// discontinuity on the first buffer of a run. ShouldDeliver lets a pin hold
// buffers back (stream control).
//
// Stop order: the thread is told to end, the allocator is decommitted so a
// wait for a buffer returns at once, then the thread is joined.
#pragma once

#include "dshowbase/BaseFilter.h"
#include "dshowbase/OutputPin.h"

#include "winowners/KernelOwners.h"

#include <memory>
#include <vector>

namespace dshowbase {

class CSourceFilter : public CBaseFilter, public IAMFilterMiscFlags {
public:
    // live: paused yields no data, so GetState reports VFW_S_CANT_CUE while
    // paused and the graph does not wait for a first frame.
    CSourceFilter(const wchar_t* objectName, REFCLSID clsid, bool live = true);
    ~CSourceFilter() override;

    DSHOWBASE_DECLARE_IUNKNOWN
    HRESULT NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    STDMETHODIMP GetState(DWORD timeoutMs, FILTER_STATE* state) override;
    STDMETHODIMP_(ULONG) GetMiscFlags() override;

    int GetPinCount() override { return static_cast<int>(pins_.size()); }
    CBasePin* GetPin(int index) override;

protected:
    // Pins are listed in the order they are added.
    void AddPin(std::unique_ptr<CBasePin> pin) { pins_.push_back(std::move(pin)); }

    CCritSec filterLock_;

private:
    bool live_;
    std::vector<std::unique_ptr<CBasePin>> pins_;
};

class CSourceStreamPin : public CBaseOutputPin {
public:
    CSourceStreamPin(const wchar_t* objectName, CBaseFilter* filter, CCritSec* lock, const wchar_t* pinName);
    ~CSourceStreamPin() override;

    virtual HRESULT FillBuffer(IMediaSample* sample, LONGLONG index) = 0;
    virtual REFERENCE_TIME BufferDuration() = 0;
    // A source that buffers its data while the thread is kept from running
    // (a sound card) returns how much it holds; the thread then delivers the
    // late buffers one after another instead of skipping them.
    virtual REFERENCE_TIME BacklogKept() { return 0; }
    // Called on the streaming thread with the buffer's stream time (or -1
    // without a clock); false holds the buffer back.
    virtual bool ShouldDeliver(REFERENCE_TIME streamTime);

    HRESULT Active() override;
    HRESULT Inactive() override;
    HRESULT Run(REFERENCE_TIME start) override;

    // Buffers delivered since the pin became active.
    LONGLONG DeliveredCount() const { return delivered_; }

private:
    static DWORD WINAPI ThreadMain(void* self);
    void StreamLoop();
    HRESULT DeliverOne(LONGLONG index, bool firstOfRun);
    void StopThread();

    winowners::UniqueHandle thread_;
    winowners::UniqueHandle stopEvent_;
    winowners::UniqueHandle wakeEvent_;
    volatile LONGLONG delivered_ = 0;
};

}  // namespace dshowbase
