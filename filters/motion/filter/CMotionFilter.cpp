#include "CMotionFilter.h"
#include "failtrail/FailTrail.h"

#include <cstring>
#include <new>

#include "ImageGeometry.h"
#include "CallGuard.h"
#include "dshowbase/MediaType.h"
#include "dshowbase/SampleCopy.h"

namespace movesense {

using dshowbase::CAutoLock;
using dshowbase::CMediaType;

static_assert(sizeof(BITMAPINFOHEADER) == sizeof(motion::BitmapInfoHeader), "same header layout");
static_assert(sizeof(RECT) == sizeof(motion::MotionRect), "same rectangle layout");
static_assert(sizeof(DWORD) == sizeof(std::uint32_t), "sizes are 32-bit");

namespace {

motion::MotionRect ToMotionRect(const RECT& r) {
    return motion::MotionRect{static_cast<std::int32_t>(r.left), static_cast<std::int32_t>(r.top),
                              static_cast<std::int32_t>(r.right), static_cast<std::int32_t>(r.bottom)};
}

RECT ToRect(const motion::MotionRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

}  // namespace

CMotionFilter::CMotionFilter() : CTransformFilter(L"Zavu Motion Detect", CLSID_MotionFilter) {}

CMotionFilter::~CMotionFilter() = default;

HRESULT CMotionFilter::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (riid == IID_IMotionControl) return dshowbase::GetInterface(static_cast<IMotionControl*>(this), ppv);
    if (riid == IID_ISpecifyPropertyPages)
        return dshowbase::GetInterface(static_cast<ISpecifyPropertyPages*>(this), ppv);
    return CTransformFilter::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP CMotionFilter::GetPages(CAUUID* pages) {
    if (!pages) return E_POINTER;
    pages->cElems = 0;
    pages->pElems = static_cast<GUID*>(CoTaskMemAlloc(sizeof(GUID)));
    RETURN_IF_NULL_ALLOC(pages->pElems);
    pages->cElems = 1;
    pages->pElems[0] = CLSID_MotionFilterPage;
    return S_OK;
}

// --- IMotionControl: each call under the settings lock, straight to the detector.

STDMETHODIMP CMotionFilter::SetDetectParams(int level, int mode, RECT* rect) {
    return boundary::GuardedCall([&]() -> HRESULT {
        CAutoLock hold(&controlLock_);
        motion::MotionRect area{};
        if (rect) area = ToMotionRect(*rect);
        const HRESULT hr = detector_.SetDetectParams(level, mode, rect ? &area : nullptr);
        if (rect) *rect = ToRect(area);
        return hr;
    });
}

STDMETHODIMP CMotionFilter::SetDetectInterval(int milliseconds) {
    CAutoLock hold(&controlLock_);
    return detector_.SetDetectInterval(milliseconds);
}

STDMETHODIMP CMotionFilter::MarkMotionRect(int* flag) {
    CAutoLock hold(&controlLock_);
    return detector_.MarkMotionRect(flag);
}

STDMETHODIMP CMotionFilter::MarkMotionOnVideo(int* flag) {
    CAutoLock hold(&controlLock_);
    return detector_.MarkMotionOnVideo(flag);
}

STDMETHODIMP CMotionFilter::StartDetect() {
    return boundary::GuardedCall([&]() -> HRESULT {
        CAutoLock hold(&controlLock_);
        return detector_.StartDetect();
    });
}

STDMETHODIMP CMotionFilter::StopDetect() {
    CAutoLock hold(&controlLock_);
    return detector_.StopDetect();
}

STDMETHODIMP CMotionFilter::GetBaseFrame(BITMAPINFOHEADER* header, BYTE* buffer, DWORD* size) {
    return boundary::GuardedCall([&]() -> HRESULT {
        if (!header || !size) return E_POINTER;
        CAutoLock hold(&controlLock_);
        motion::BitmapInfoHeader answer{};
        std::uint32_t bytes = *size;
        const HRESULT hr = detector_.GetBaseFrame(&answer, buffer, &bytes);
        std::memcpy(header, &answer, sizeof(answer));
        *size = bytes;
        return hr;
    });
}

STDMETHODIMP CMotionFilter::ResetBaseFrame() {
    return boundary::GuardedCall([&]() -> HRESULT {
        CAutoLock hold(&controlLock_);
        return detector_.ResetBaseFrame();
    });
}

STDMETHODIMP CMotionFilter::GetParams(int* level, int* mode, int* state, int* interval, RECT* rect, int* markRect,
                                      int* markVideo) {
    CAutoLock hold(&controlLock_);
    motion::MotionRect area{};
    const HRESULT hr = detector_.GetParams(level, mode, state, interval, &area, markRect, markVideo);
    if (rect) *rect = ToRect(area);
    return hr;
}

// --- Transform filter

bool CMotionFilter::CheckVideoType(const AM_MEDIA_TYPE* type) {
    if (!type || !dshowbase::IsRgb24VideoInfo(*type)) return false;
    const VIDEOINFOHEADER* info = dshowbase::VideoInfo(*type);
    motion::BitmapInfoHeader header;
    std::memcpy(&header, &info->bmiHeader, sizeof(header));
    detector_.SetFormat(&header);
    return true;
}

HRESULT CMotionFilter::CheckInputType(const CMediaType* input) {
    if (!input) return E_POINTER;
    if (input->formattype != FORMAT_VideoInfo) return E_INVALIDARG;
    return CheckVideoType(input) ? S_OK : E_FAIL;
}

HRESULT CMotionFilter::CheckTransform(const CMediaType* input, const CMediaType* output) {
    if (!input || !output) return E_POINTER;
    if (!CheckVideoType(input)) return E_FAIL;
    return dshowbase::MediaTypesEqual(*input, *output) ? S_OK : E_FAIL;
}

HRESULT CMotionFilter::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) {
    if (!InputPin()->IsConnected()) return E_UNEXPECTED;
    if (!allocator || !request) return E_POINTER;
    // Some upstream filters describe RGB24 with a sample size of 0 or 1: size
    // the buffer for a whole frame whatever the sample size says.
    const ULONG frame = dshowbase::FrameBufferSize(InputPin()->CurrentMediaType());
    if (frame == 0 || frame > static_cast<ULONG>(LONG_MAX)) return E_FAIL;
    request->cBuffers = 1;
    request->cbBuffer = static_cast<long>(frame);
    if (request->cbAlign < 1) request->cbAlign = 1;
    ALLOCATOR_PROPERTIES actual{};
    RETURN_IF_FAILED(allocator->SetProperties(request, &actual));
    if (actual.cBuffers < request->cBuffers || actual.cbBuffer < request->cbBuffer) return E_FAIL;
    return S_OK;
}

HRESULT CMotionFilter::GetMediaType(int position, CMediaType* output) {
    if (!InputPin()->IsConnected()) return E_UNEXPECTED;
    if (position < 0) return E_INVALIDARG;
    if (position > 0) return VFW_S_NO_MORE_ITEMS;
    if (!output) return E_POINTER;
    *output = InputPin()->CurrentMediaType();
    return output->IsValid() ? S_OK : E_OUTOFMEMORY;
}

HRESULT CMotionFilter::Transform(IMediaSample* input, IMediaSample* output) {
    if (!input || !output) return E_POINTER;
    HRESULT hr = dshowbase::CopySample(input, output);
    // A frame larger than the output buffer is refused, not cut.
    if (hr == VFW_E_BUFFER_OVERFLOW) return E_FAIL;
    if (FAILED(hr)) return hr;
    BYTE* frame = nullptr;
    const long length = output->GetActualDataLength();
    if (SUCCEEDED(output->GetPointer(&frame)) && frame && length > 0) DetectIn(frame, length);
    return S_OK;
}

// Frames come as DIB rows, padded to four bytes; the detector reads rows of
// exactly width x 3 bytes. Where the two differ (widths that are not a
// multiple of four) the pass runs on a packed copy and the marks it drew go
// back into the frame. A sample too short for its rows is not looked at.
void CMotionFilter::DetectIn(BYTE* frame, long length) {
    const VIDEOINFOHEADER* info = dshowbase::VideoInfo(InputPin()->CurrentMediaType());
    std::uint32_t stride = 0;
    if (!info || !imagegeometry::SampleRowStride(info->bmiHeader.biWidth, info->bmiHeader.biHeight, 24,
                                                 static_cast<std::uint64_t>(length), &stride))
        return;
    const std::size_t packed = static_cast<std::size_t>(info->bmiHeader.biWidth) * 3;
    const LONG height = info->bmiHeader.biHeight;
    const std::size_t rows = static_cast<std::size_t>(height < 0 ? -static_cast<LONGLONG>(height) : height);
    if (stride == packed) {
        detector_.ProcessFrame(frame, packed * rows);
        return;
    }
    try {
        packedFrame_.resize(packed * rows);
    } catch (const std::bad_alloc&) {
        return;  // no room for the copy: this frame goes by undetected
    }
    for (std::size_t r = 0; r < rows; ++r) std::memcpy(&packedFrame_[r * packed], frame + r * stride, packed);
    detector_.ProcessFrame(packedFrame_.data(), packedFrame_.size());
    for (std::size_t r = 0; r < rows; ++r) std::memcpy(frame + r * stride, &packedFrame_[r * packed], packed);
}

HRESULT CMotionFilter::StartStreaming() {
    if (FAILED(detector_.Init(&graphPort_))) return kStreamingWithoutDetection;
    return CTransformFilter::StartStreaming();
}

HRESULT CMotionFilter::StopStreaming() {
    detector_.Uninit();
    return CTransformFilter::StopStreaming();
}

}  // namespace movesense
