// The motion-detection filter: a copy transform for RGB24 video that hands
// every output frame to the detector, which may draw marks into it and
// raise graph events. IMotionControl is its settings interface.
#pragma once

#include <dshow.h>

#include <vector>

#include "Detector_NonThread.h"
#include "DetectorGraphPort.h"
#include "IMotionControl.h"
#include "dshowbase/TransformFilter.h"

namespace movesense {

class CMotionFilter final : public dshowbase::CTransformFilter, public ISpecifyPropertyPages, public IMotionControl {
public:
    CMotionFilter();
    ~CMotionFilter() override;

    DSHOWBASE_DECLARE_IUNKNOWN
    HRESULT NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    // ISpecifyPropertyPages
    STDMETHODIMP GetPages(CAUUID* pages) override;

    // IMotionControl
    STDMETHODIMP SetDetectParams(int level, int mode, RECT* rect) override;
    STDMETHODIMP SetDetectInterval(int milliseconds) override;
    STDMETHODIMP MarkMotionRect(int* flag) override;
    STDMETHODIMP MarkMotionOnVideo(int* flag) override;
    STDMETHODIMP StartDetect() override;
    STDMETHODIMP StopDetect() override;
    STDMETHODIMP GetBaseFrame(BITMAPINFOHEADER* header, BYTE* buffer, DWORD* size) override;
    STDMETHODIMP ResetBaseFrame() override;
    STDMETHODIMP GetParams(int* level, int* mode, int* state, int* interval, RECT* rect, int* markRect,
                           int* markVideo) override;

    // Transform filter
    HRESULT CheckInputType(const dshowbase::CMediaType* input) override;
    HRESULT CheckTransform(const dshowbase::CMediaType* input, const dshowbase::CMediaType* output) override;
    HRESULT GetMediaType(int position, dshowbase::CMediaType* output) override;
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;
    HRESULT Transform(IMediaSample* input, IMediaSample* output) override;
    HRESULT StartStreaming() override;
    HRESULT StopStreaming() override;

private:
    // RGB24 video with a whole VIDEOINFOHEADER; a passing header becomes
    // the detector's stream format.
    bool CheckVideoType(const AM_MEDIA_TYPE* type);
    void DetectIn(BYTE* frame, long length);

    CSystemTicks ticks_;
    CDetectorGraphPort graphPort_{this};
    motion::CDetectorNonThread detector_{ticks_};
    // A packed copy of frames whose rows carry padding; streaming thread only.
    std::vector<BYTE> packedFrame_;
    // Serialises the settings calls among themselves; frames never take it.
    dshowbase::CCritSec controlLock_;
};

// What StartStreaming answers when detection could not be set up: a success
// code, so the stream still runs, only without detection.
constexpr HRESULT kStreamingWithoutDetection = 8;

}  // namespace movesense
