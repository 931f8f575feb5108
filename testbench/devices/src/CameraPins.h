// The camera's two output pins. "Capture" streams the scene and carries
// IAMStreamConfig and IAMStreamControl; "Still" has the still-image
// category, connects like the capture pin and never delivers (nothing here
// triggers a still). Both refuse to connect while the camera is "busy".
#pragma once

#include "PinCategory.h"
#include "StreamControl.h"

#include "dshowbase/SourceFilter.h"

namespace bench {

class CCameraFilter;

class CCapturePin : public dshowbase::CSourceStreamPin,
                    public CPinCategory,
                    public IAMStreamConfig,
                    public IAMStreamControl {
public:
    CCapturePin(CCameraFilter* camera, dshowbase::CCritSec* lock);

    DSHOWBASE_DECLARE_IUNKNOWN
    HRESULT NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    HRESULT CheckConnect(IPin* pin) override;
    HRESULT CheckMediaType(const dshowbase::CMediaType* type) override;
    HRESULT GetMediaType(int position, dshowbase::CMediaType* type) override;
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;
    HRESULT FillBuffer(IMediaSample* sample, LONGLONG index) override;
    REFERENCE_TIME BufferDuration() override;
    bool ShouldDeliver(REFERENCE_TIME streamTime) override;

    // IAMStreamConfig
    STDMETHODIMP SetFormat(AM_MEDIA_TYPE* type) override;
    STDMETHODIMP GetFormat(AM_MEDIA_TYPE** type) override;
    STDMETHODIMP GetNumberOfCapabilities(int* count, int* size) override;
    STDMETHODIMP GetStreamCaps(int index, AM_MEDIA_TYPE** type, BYTE* caps) override;

    // IAMStreamControl
    STDMETHODIMP StartAt(const REFERENCE_TIME* start, DWORD cookie) override;
    STDMETHODIMP StopAt(const REFERENCE_TIME* stop, BOOL sendExtra, DWORD cookie) override;
    STDMETHODIMP GetInfo(AM_STREAM_INFO* info) override;

private:
    CCameraFilter* camera_;
    CStreamSchedule schedule_;
};

class CStillPin : public dshowbase::CBaseOutputPin, public CPinCategory {
public:
    CStillPin(CCameraFilter* camera, dshowbase::CCritSec* lock);

    DSHOWBASE_DECLARE_IUNKNOWN
    HRESULT NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    HRESULT CheckConnect(IPin* pin) override;
    HRESULT CheckMediaType(const dshowbase::CMediaType* type) override;
    HRESULT GetMediaType(int position, dshowbase::CMediaType* type) override;
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;

private:
    CCameraFilter* camera_;
};

}  // namespace bench
