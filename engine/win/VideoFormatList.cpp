#include "engine/win/VideoFormatList.h"

#include "dshowbase/MediaType.h"

#include <cstring>

namespace camera {

namespace {
constexpr int kStreamCapsSize = 128;  // sizeof VIDEO_STREAM_CONFIG_CAPS
}

CVideoFormat::CVideoFormat(const AM_MEDIA_TYPE& type)
    : type_(type)
{
    // The copy owns its block; the source's counted pointer is not kept.
    type_.pUnk = nullptr;
    if (type.pbFormat != nullptr && type.cbFormat > 0)
        format_.assign(type.pbFormat, type.pbFormat + type.cbFormat);
    PointAtOwnBlock();
}

CVideoFormat::CVideoFormat(const CVideoFormat& other)
    : type_(other.type_), format_(other.format_)
{
    PointAtOwnBlock();
}

CVideoFormat& CVideoFormat::operator=(const CVideoFormat& other)
{
    if (this != &other) {
        type_ = other.type_;
        format_ = other.format_;
        PointAtOwnBlock();
    }
    return *this;
}

void CVideoFormat::PointAtOwnBlock()
{
    type_.cbFormat = static_cast<ULONG>(format_.size());
    type_.pbFormat = format_.empty() ? nullptr : format_.data();
}

BITMAPINFOHEADER CVideoFormat::Picture() const
{
    // Only video-info blocks are ever taken into the list.
    VIDEOINFOHEADER header{};
    if (format_.size() >= sizeof header)
        std::memcpy(&header, format_.data(), sizeof header);
    return header.bmiHeader;
}

CVideoFormat* CVideoFormatList::At(int index)
{
    if (index < 0 || index >= Count())
        return nullptr;
    return &formats_[static_cast<size_t>(index)];
}

bool CVideoFormatList::Offer(const AM_MEDIA_TYPE& type)
{
    if (type.formattype != FORMAT_VideoInfo || Count() >= kMaxVideoFormats)
        return false;
    // A block too short for its declared kind would be read past its end
    // by everyone who trusts the format type.
    if (type.pbFormat == nullptr || type.cbFormat < sizeof(VIDEOINFOHEADER))
        return false;
    formats_.emplace_back(type);
    return true;
}

HRESULT FindCaptureStreamConfig(ICaptureGraphBuilder2* builder, IBaseFilter* captureFilter,
                                ComPtr<IAMStreamConfig>& config)
{
    config.Reset();
    if (builder == nullptr || captureFilter == nullptr)
        return E_POINTER;
    return builder->FindInterface(&PIN_CATEGORY_CAPTURE, nullptr, captureFilter, IID_IAMStreamConfig,
                                  reinterpret_cast<void**>(config.ReleaseAndGetAddressOf()));
}

HRESULT BuildFormatList(ICaptureGraphBuilder2* builder, IBaseFilter* captureFilter, CVideoFormatList& list)
{
    list.Clear();
    ComPtr<IAMStreamConfig> config;
    HRESULT hr = FindCaptureStreamConfig(builder, captureFilter, config);
    if (FAILED(hr))
        return hr;
    int count = 0;
    int capsSize = 0;
    hr = config->GetNumberOfCapabilities(&count, &capsSize);
    if (FAILED(hr))
        return hr;
    if (capsSize != kStreamCapsSize)
        return E_FAIL;
    for (int i = 0; i < count; ++i) {
        BYTE caps[kStreamCapsSize];
        AM_MEDIA_TYPE* handed = nullptr;
        const HRESULT got = config->GetStreamCaps(i, &handed, caps);
        const dshowbase::UniqueMediaType type(handed);
        if (FAILED(got) || !type)
            continue;
        list.Offer(*type);
    }
    return S_OK;
}

} // namespace camera
