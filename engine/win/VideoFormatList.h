// The video formats the capture pin offers, copied from its stream
// capabilities. Only video-info formats are kept, at most 50, in the order
// the pin lists them; the list index is the format index of the flat API.
#pragma once

#include "dshowbase/MediaType.h"
#include "engine/win/ComHelpers.h"

#include <vector>

namespace camera {

constexpr int kMaxVideoFormats = 50;

class CVideoFormat {
public:
    // A deep copy of a type whose block is a full VIDEOINFOHEADER; throws
    // std::bad_alloc when memory runs out.
    explicit CVideoFormat(const AM_MEDIA_TYPE& type);

    // A view for platform calls; valid while this object lives unchanged.
    AM_MEDIA_TYPE* MediaType() { return &type_; }
    const AM_MEDIA_TYPE& Type() const { return type_; }
    LONG Width() const { return Picture().biWidth; }
    LONG Height() const { return Picture().biHeight; }

private:
    BITMAPINFOHEADER Picture() const;

    dshowbase::CMediaType type_;
};

class CVideoFormatList {
public:
    void Clear() { formats_.clear(); }
    int Count() const { return static_cast<int>(formats_.size()); }
    CVideoFormat* At(int index);
    // Appends when the type describes its picture with a video-info block
    // and there is room; answers whether it was taken.
    bool Offer(const AM_MEDIA_TYPE& type);

private:
    std::vector<CVideoFormat> formats_;
};

// Fills the list from the capture pin of the filter that builder finds.
HRESULT BuildFormatList(ICaptureGraphBuilder2* builder, IBaseFilter* captureFilter, CVideoFormatList& list);

// The capture pin's stream configuration, found through the builder.
HRESULT FindCaptureStreamConfig(ICaptureGraphBuilder2* builder, IBaseFilter* captureFilter,
                                ComPtr<IAMStreamConfig>& config);

}  // namespace camera
