#include "engine/win/FrameGrabber.h"

#include "dshowbase/ClassIds.h"
#include "failtrail/FailTrail.h"

namespace camera {

HRESULT CreateRgbFrameGrabber(REFGUID formatType, ComPtr<IBaseFilter>& filter, ComPtr<ISampleGrabber>& grabber) {
    ComPtr<IBaseFilter> newFilter;
    HRESULT hr = CreateInstance(dshowbase::CLSID_SampleGrabber, IID_IBaseFilter, newFilter);
    if (FAILED(hr)) return hr;
    ComPtr<ISampleGrabber> newGrabber;
    RETURN_IF_FAILED(QueryTo(newFilter.Get(), IID_ISampleGrabber, newGrabber));
    AM_MEDIA_TYPE type{};
    type.majortype = MEDIATYPE_Video;
    type.subtype = MEDIASUBTYPE_RGB24;
    type.formattype = formatType;
    hr = newGrabber->SetMediaType(&type);
    if (SUCCEEDED(hr)) hr = newGrabber->SetBufferSamples(TRUE);
    if (FAILED(hr)) return hr;
    filter = newFilter;
    grabber = newGrabber;
    return S_OK;
}

}  // namespace camera
