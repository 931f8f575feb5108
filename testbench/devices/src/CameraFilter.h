// The virtual camera: a live source with a "Still" pin listed before its
// "Capture" pin, delivering the bench scene as RGB24. The filter holds the
// current format (IAMStreamConfig on the capture pin sets it) and answers
// the picture and camera controls, unless the missing-controls switches
// take them away.
#pragma once

#include "AnalogDecoder.h"
#include "PictureControls.h"
#include "VideoFormats.h"

#include "dshowbase/SourceFilter.h"

#include <ocidl.h>

namespace bench {

class CCameraFilter : public dshowbase::CSourceFilter,
                      public CVideoProcAmpControls,
                      public CCameraControls,
                      public CAnalogDecoder,
                      public ISpecifyPropertyPages {
public:
    enum class Kind { Webcam, CaptureCard };

    static dshowbase::CUnknown* CreateCamera(HRESULT* result);
    static dshowbase::CUnknown* CreateCamera2(HRESULT* result);
    static dshowbase::CUnknown* CreateAnalogCamera(HRESULT* result);

    CCameraFilter(REFCLSID clsid, Kind kind);

    DSHOWBASE_DECLARE_IUNKNOWN
    HRESULT NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    STDMETHODIMP GetPages(CAUUID* pages) override;

    // The format both pins offer and accept.
    dshowbase::CMediaType CurrentFormat();
    // VFW_E_NOT_STOPPED while streaming, VFW_E_INVALIDMEDIATYPE for a type
    // the camera cannot deliver.
    HRESULT SetCurrentFormat(const AM_MEDIA_TYPE& type);
    std::vector<VideoFormat> Formats();
    // S_OK for the current format's subtype and size.
    HRESULT CheckFormat(const dshowbase::CMediaType* type);

private:
    Kind kind_;
    dshowbase::CMediaType format_;
};

// Buffers for one frame of the type, at least three of them.
HRESULT DecideFrameBuffers(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request, const AM_MEDIA_TYPE& type);

}  // namespace bench
