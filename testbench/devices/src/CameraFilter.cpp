#include "CameraFilter.h"

#include "BenchDevices.h"
#include "BenchState.h"
#include "CameraPins.h"

#include "dshowbase/Negotiation.h"

#include <new>

namespace bench {

dshowbase::CUnknown* CCameraFilter::CreateCamera(HRESULT*) {
    return new (std::nothrow) CCameraFilter(CLSID_BenchCamera, Kind::Webcam);
}

dshowbase::CUnknown* CCameraFilter::CreateCamera2(HRESULT*) {
    return new (std::nothrow) CCameraFilter(CLSID_BenchCamera2, Kind::Webcam);
}

dshowbase::CUnknown* CCameraFilter::CreateAnalogCamera(HRESULT*) {
    return new (std::nothrow) CCameraFilter(CLSID_BenchAnalogCamera, Kind::CaptureCard);
}

CCameraFilter::CCameraFilter(REFCLSID clsid, Kind kind)
    : CSourceFilter(L"bench camera", clsid), kind_(kind), format_(Rgb24Type(320, 240, kDefaultFrameTime)) {
    AddPin(std::make_unique<CStillPin>(this, &filterLock_));
    AddPin(std::make_unique<CCapturePin>(this, &filterLock_));
}

HRESULT CCameraFilter::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
    const DWORD missing = CBenchState::Instance().MissingControls();
    if (riid == IID_IAMVideoProcAmp && !(missing & BENCH_MISSING_VIDEOPROCAMP)) {
        return dshowbase::GetInterface(static_cast<IAMVideoProcAmp*>(this), ppv);
    }
    if (riid == IID_IAMCameraControl && !(missing & BENCH_MISSING_CAMERACONTROL)) {
        return dshowbase::GetInterface(static_cast<IAMCameraControl*>(this), ppv);
    }
    if (riid == IID_IAMAnalogVideoDecoder && kind_ == Kind::CaptureCard) {
        return dshowbase::GetInterface(static_cast<IAMAnalogVideoDecoder*>(this), ppv);
    }
    if (riid == IID_ISpecifyPropertyPages) {
        return dshowbase::GetInterface(static_cast<ISpecifyPropertyPages*>(this), ppv);
    }
    return CSourceFilter::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP CCameraFilter::GetPages(CAUUID* pages) {
    if (pages == nullptr) {
        return E_POINTER;
    }
    pages->pElems = static_cast<GUID*>(CoTaskMemAlloc(sizeof(GUID)));
    if (pages->pElems == nullptr) {
        pages->cElems = 0;
        return E_OUTOFMEMORY;
    }
    pages->cElems = 1;
    pages->pElems[0] = CLSID_BenchCameraPage;
    return S_OK;
}

dshowbase::CMediaType CCameraFilter::CurrentFormat() {
    dshowbase::CAutoLock lock(&filterLock_);
    return format_;
}

std::vector<VideoFormat> CCameraFilter::Formats() { return ListFormats(CBenchState::Instance().FormatList()); }

HRESULT CCameraFilter::SetCurrentFormat(const AM_MEDIA_TYPE& type) {
    dshowbase::CAutoLock lock(&filterLock_);
    if (!IsStopped()) {
        return VFW_E_NOT_STOPPED;
    }
    if (!IsDeliverable(Formats(), type)) {
        return VFW_E_INVALIDMEDIATYPE;
    }
    dshowbase::CMediaType chosen(type);
    auto* info = reinterpret_cast<VIDEOINFOHEADER*>(chosen.pbFormat);
    if (info->AvgTimePerFrame == 0) {
        info->AvgTimePerFrame = kDefaultFrameTime;
    }
    // The buffer size follows the picture, whatever the caller wrote.
    chosen.lSampleSize = dshowbase::FrameBufferSize(chosen);
    chosen.bFixedSizeSamples = TRUE;
    format_ = chosen;
    return S_OK;
}

HRESULT CCameraFilter::CheckFormat(const dshowbase::CMediaType* type) {
    if (type == nullptr) {
        return E_POINTER;
    }
    const dshowbase::CMediaType current = CurrentFormat();
    const VIDEOINFOHEADER* offered = dshowbase::VideoInfo(*type);
    const VIDEOINFOHEADER* mine = dshowbase::VideoInfo(current);
    if (!dshowbase::IsRgb24VideoInfo(*type) || offered == nullptr || mine == nullptr ||
        offered->bmiHeader.biWidth != mine->bmiHeader.biWidth ||
        offered->bmiHeader.biHeight != mine->bmiHeader.biHeight || offered->bmiHeader.biCompression != BI_RGB) {
        return VFW_E_TYPE_NOT_ACCEPTED;
    }
    return S_OK;
}

HRESULT DecideFrameBuffers(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request, const AM_MEDIA_TYPE& type) {
    return dshowbase::SetAllocatorAtLeast(allocator, request, 3, static_cast<long>(dshowbase::FrameBufferSize(type)));
}

}  // namespace bench
