#include "engine/win/VideoFormatList.h"

#include "failtrail/FailTrail.h"

#include <new>

namespace camera {

namespace {
constexpr int kStreamCapsSize = 128;  // sizeof VIDEO_STREAM_CONFIG_CAPS
}

CVideoFormat::CVideoFormat(const AM_MEDIA_TYPE& type) {
    // The copy owns its block; the source's counted pointer is not kept.
    AM_MEDIA_TYPE withoutCounted = type;
    withoutCounted.pUnk = nullptr;
    if (!type_.Set(withoutCounted)) throw std::bad_alloc();
}

BITMAPINFOHEADER CVideoFormat::Picture() const {
    // Only video-info blocks are ever taken into the list.
    const VIDEOINFOHEADER* header = dshowbase::VideoInfo(type_);
    return header != nullptr ? header->bmiHeader : BITMAPINFOHEADER{};
}

CVideoFormat* CVideoFormatList::At(int index) {
    if (index < 0 || index >= Count()) return nullptr;
    return &formats_[static_cast<size_t>(index)];
}

bool CVideoFormatList::Offer(const AM_MEDIA_TYPE& type) {
    if (type.formattype != FORMAT_VideoInfo || Count() >= kMaxVideoFormats) return false;
    // A block too short for its declared kind would be read past its end
    // by everyone who trusts the format type.
    if (type.pbFormat == nullptr || type.cbFormat < sizeof(VIDEOINFOHEADER)) return false;
    formats_.emplace_back(type);
    return true;
}

HRESULT FindCaptureStreamConfig(ICaptureGraphBuilder2* builder, IBaseFilter* captureFilter,
                                ComPtr<IAMStreamConfig>& config) {
    config.Reset();
    if (builder == nullptr || captureFilter == nullptr) return E_POINTER;
    return builder->FindInterface(&PIN_CATEGORY_CAPTURE, nullptr, captureFilter, IID_IAMStreamConfig,
                                  reinterpret_cast<void**>(config.ReleaseAndGetAddressOf()));
}

HRESULT BuildFormatList(ICaptureGraphBuilder2* builder, IBaseFilter* captureFilter, CVideoFormatList& list) {
    list.Clear();
    ComPtr<IAMStreamConfig> config;
    RETURN_IF_FAILED(FindCaptureStreamConfig(builder, captureFilter, config));
    int count = 0;
    int capsSize = 0;
    RETURN_IF_FAILED(config->GetNumberOfCapabilities(&count, &capsSize));
    RETURN_HR_IF(E_FAIL, capsSize != kStreamCapsSize);
    for (int i = 0; i < count; ++i) {
        BYTE caps[kStreamCapsSize];
        AM_MEDIA_TYPE* handed = nullptr;
        const HRESULT got = config->GetStreamCaps(i, &handed, caps);
        const dshowbase::UniqueMediaType type(handed);
        if (FAILED(got) || !type) continue;
        list.Offer(*type);
    }
    return S_OK;
}

}  // namespace camera
