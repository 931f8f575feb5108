// An IMediaSample over a plain buffer, with every property settable, for
// testing code that reads and writes samples without a graph.
#pragma once

#include "dshowbase/MediaType.h"

#include <dshow.h>

#include <vector>

namespace basetest {

class FakeSample : public IMediaSample {
public:
    explicit FakeSample(size_t size) : buffer(size, 0), actualLength(static_cast<long>(size)) {}
    ~FakeSample() { dshowbase::DeleteMediaType(type); }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (riid == IID_IUnknown || riid == IID_IMediaSample) {
            *ppv = this;
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }

    STDMETHODIMP GetPointer(BYTE** data) override {
        *data = buffer.data();
        return S_OK;
    }
    STDMETHODIMP_(long) GetSize() override { return static_cast<long>(buffer.size()); }
    STDMETHODIMP GetTime(REFERENCE_TIME* start, REFERENCE_TIME* stop) override {
        if (!hasTime) {
            return VFW_E_SAMPLE_TIME_NOT_SET;
        }
        *start = timeStart;
        *stop = timeStop;
        return S_OK;
    }
    STDMETHODIMP SetTime(REFERENCE_TIME* start, REFERENCE_TIME* stop) override {
        hasTime = start != nullptr;
        if (start != nullptr) {
            timeStart = *start;
            timeStop = stop != nullptr ? *stop : *start;
        }
        return S_OK;
    }
    STDMETHODIMP IsSyncPoint() override { return syncAnswer; }
    STDMETHODIMP SetSyncPoint(BOOL value) override {
        syncAnswer = value ? S_OK : S_FALSE;
        return S_OK;
    }
    STDMETHODIMP IsPreroll() override { return prerollAnswer; }
    STDMETHODIMP SetPreroll(BOOL value) override {
        prerollAnswer = value ? S_OK : S_FALSE;
        return S_OK;
    }
    STDMETHODIMP_(long) GetActualDataLength() override { return actualLength; }
    STDMETHODIMP SetActualDataLength(long length) override {
        if (length < 0 || length > GetSize()) {
            return VFW_E_BUFFER_OVERFLOW;
        }
        actualLength = length;
        return S_OK;
    }
    STDMETHODIMP GetMediaType(AM_MEDIA_TYPE** out) override {
        *out = type != nullptr ? dshowbase::CreateMediaType(type) : nullptr;
        return type != nullptr ? S_OK : S_FALSE;
    }
    STDMETHODIMP SetMediaType(AM_MEDIA_TYPE* in) override {
        dshowbase::DeleteMediaType(type);
        type = in != nullptr ? dshowbase::CreateMediaType(in) : nullptr;
        return S_OK;
    }
    STDMETHODIMP IsDiscontinuity() override { return discontinuityAnswer; }
    STDMETHODIMP SetDiscontinuity(BOOL value) override {
        discontinuityAnswer = value ? S_OK : S_FALSE;
        return S_OK;
    }
    STDMETHODIMP GetMediaTime(LONGLONG* start, LONGLONG* stop) override {
        if (!hasMediaTime) {
            return VFW_E_MEDIA_TIME_NOT_SET;
        }
        *start = mediaStart;
        *stop = mediaStop;
        return S_OK;
    }
    STDMETHODIMP SetMediaTime(LONGLONG* start, LONGLONG* stop) override {
        hasMediaTime = start != nullptr;
        if (start != nullptr) {
            mediaStart = *start;
            mediaStop = *stop;
        }
        return S_OK;
    }

    std::vector<BYTE> buffer;
    long actualLength;
    bool hasTime = false;
    REFERENCE_TIME timeStart = 0;
    REFERENCE_TIME timeStop = 0;
    bool hasMediaTime = false;
    LONGLONG mediaStart = 0;
    LONGLONG mediaStop = 0;
    HRESULT syncAnswer = S_FALSE;
    HRESULT prerollAnswer = S_FALSE;
    HRESULT discontinuityAnswer = S_FALSE;
    AM_MEDIA_TYPE* type = nullptr;
};

}  // namespace basetest
