#include "CEffectFilter.h"
#include "failtrail/FailTrail.h"

#include <algorithm>
#include <cstring>

#include "FrameImageLoader.h"
#include "ImageGeometry.h"
#include "CallGuard.h"
#include "dshowbase/MediaType.h"
#include "dshowbase/SampleCopy.h"
#include "kernels/OverlayLayout.h"

namespace lenstint {

using dshowbase::CAutoLock;
using dshowbase::CMediaType;
namespace fx = vimbrel::effects;

static_assert(sizeof(WCHAR) == sizeof(char16_t), "UTF-16 text on both sides");

namespace {

const char16_t* AsUtf16(const WCHAR* text) { return reinterpret_cast<const char16_t*>(text); }
const WCHAR* AsWide(const char16_t* text) { return reinterpret_cast<const WCHAR*>(text); }

// Colours come in unchecked; the arithmetic wraps the way a DWORD does.
Gdiplus::ARGB OpaqueColour(int red, int green, int blue) {
    return 0xFF000000u + static_cast<uint32_t>(red) * 65536u + static_cast<uint32_t>(green) * 256u +
           static_cast<uint32_t>(blue);
}

// RGB24 video with a whole VIDEOINFOHEADER describing a picture that fits in
// memory. The header is read only after its size was checked.
bool IsUsableRgb24(const AM_MEDIA_TYPE& type) {
    if (!dshowbase::IsRgb24VideoInfo(type)) {
        return false;
    }
    const BITMAPINFOHEADER& header = dshowbase::VideoInfo(type)->bmiHeader;
    if (header.biWidth <= 0 || header.biHeight == 0 || header.biHeight == LONG_MIN) {
        return false;
    }
    const ULONGLONG rows = header.biHeight < 0 ? -static_cast<LONGLONG>(header.biHeight) : header.biHeight;
    const ULONGLONG rowBytes = (static_cast<ULONGLONG>(header.biWidth) * 3 + 3) & ~3ull;
    return rowBytes * rows <= static_cast<ULONGLONG>(LONG_MAX);
}

constexpr int kFrameRateSizeStep = 0;
const WCHAR kOverlayFont[] = L"Arial";

}  // namespace

CEffectFilter::CEffectFilter() : CTransformFilter(L"Image Effects", CLSID_EffectFilter) {
    if (gdiplus_.Ready()) {
        text_.Create();
    }
}

CEffectFilter::~CEffectFilter() = default;

HRESULT CEffectFilter::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
    if (ppv == nullptr) return E_POINTER;
    if (riid == IID_IVideoEffect) return dshowbase::GetInterface(static_cast<IVideoEffect*>(this), ppv);
    if (riid == IID_ISpecifyPropertyPages) {
        return dshowbase::GetInterface(static_cast<ISpecifyPropertyPages*>(this), ppv);
    }
    if (riid == IID_IPersistStream) return dshowbase::GetInterface(static_cast<IPersistStream*>(this), ppv);
    return CTransformFilter::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP CEffectFilter::GetClassID(CLSID* clsid) { return CTransformFilter::GetClassID(clsid); }

STDMETHODIMP CEffectFilter::GetPages(CAUUID* pages) {
    if (pages == nullptr) return E_POINTER;
    pages->cElems = 0;
    pages->pElems = static_cast<GUID*>(CoTaskMemAlloc(2 * sizeof(GUID)));
    RETURN_IF_NULL_ALLOC(pages->pElems);
    pages->cElems = 2;
    pages->pElems[0] = CLSID_EffectSpecialPage;
    pages->pElems[1] = CLSID_EffectSimplePage;
    return S_OK;
}

// --- IVideoEffect: every call under the effect lock.

STDMETHODIMP CEffectFilter::GetEffect(int* effectId, int* param) {
    if (effectId == nullptr || param == nullptr) return E_POINTER;
    CAutoLock hold(&effectLock_);
    settings_.GetEffect(*effectId, *param);
    return S_OK;
}

STDMETHODIMP CEffectFilter::SetEffect(int effectId, int param) {
    CAutoLock hold(&effectLock_);
    settings_.SetEffect(effectId, param, random_);
    SetDirty(true);
    return S_OK;
}

STDMETHODIMP CEffectFilter::LoadFrameImage(const WCHAR* path, int, int, int source, const WCHAR* resourceName,
                                           const WCHAR* resourceType) {
    return boundary::GuardedCall([&]() -> HRESULT {
        if (path == nullptr) return E_POINTER;
        CAutoLock hold(&effectLock_);
        return LoadFrame(path, source, resourceName, resourceType);
    });
}

HRESULT CEffectFilter::LoadFrame(const WCHAR* path, int source, const WCHAR* resourceName, const WCHAR* resourceType) {
    photoFrame_.Unload();
    // A path the record cannot hold whole would name another file on reload.
    if (!settings_.SaveFramePath(AsUtf16(path)) || !gdiplus_.Ready()) {
        return E_FAIL;
    }
    CLoadedImage image;
    bool loaded = false;
    switch (source) {
    case VIDEO_FRAME_FROM_FILE: loaded = LoadImageFile(path, image); break;
    case VIDEO_FRAME_FROM_MODULE: loaded = LoadImageFromModuleFile(path, resourceName, resourceType, image); break;
    case VIDEO_FRAME_FROM_EXECUTABLE:
        loaded = LoadImageResource(GetModuleHandleW(nullptr), resourceName, resourceType, image);
        break;
    default: break;
    }
    if (!loaded || !photoFrame_.Load(*image.bitmap, settings_.frameWidth, settings_.frameHeight)) {
        photoFrame_.Unload();
        return E_FAIL;
    }
    frameSource_ = source;
    frameResourceName_.Set(resourceName);
    frameResourceType_.Set(resourceType);
    return S_OK;
}

STDMETHODIMP CEffectFilter::SetStampText(const WCHAR* text, int x, int y, const WCHAR* fontName, int fontPixels,
                                         int red, int green, int blue, int boxWidth, int boxHeight, int align) {
    return boundary::GuardedCall([&]() -> HRESULT {
        if (text == nullptr) return E_POINTER;
        CAutoLock hold(&effectLock_);
        const fx::StampAlignment alignment = fx::StampAlignmentOf(align);
        const TextStyle style{fontName,
                              static_cast<float>(fontPixels),
                              OpaqueColour(red, green, blue),
                              alignment.horizontal,
                              alignment.vertical,
                              boxWidth,
                              boxHeight,
                              false};
        text_.SetPosition(x, y);
        text_.Render(text, style);
        return S_OK;
    });
}

STDMETHODIMP CEffectFilter::SetText(const WCHAR* text, int sizeStep, int red, int green, int blue,
                                    const WCHAR* fontName) {
    return boundary::GuardedCall([&]() -> HRESULT {
        if (text == nullptr) return E_POINTER;
        CAutoLock hold(&effectLock_);
        settings_.SaveOverlayText(AsUtf16(text));
        RenderOverlayText(text, sizeStep, red, green, blue, fontName);
        return S_OK;
    });
}

void CEffectFilter::RenderOverlayText(const WCHAR* text, int sizeStep, int red, int green, int blue,
                                      const WCHAR* fontName) {
    const float pixels = static_cast<float>(fx::TextFontPixels(sizeStep, settings_.sizeClass));
    const TextStyle style{
        fontName,       pixels, OpaqueColour(red, green, blue), fx::TextAlign::Far, fx::TextAlign::Far, text_.Width(),
        text_.Height(), true};
    // Bottom-right corner of the picture as shown.
    text_.SetPosition(settings_.frameWidth - text_.Width(), settings_.frameHeight - text_.Height());
    text_.Render(text, style);
}

STDMETHODIMP CEffectFilter::EnableText(int on) {
    CAutoLock hold(&effectLock_);
    settings_.textOn = on;
    return S_OK;
}

STDMETHODIMP CEffectFilter::SetZoom(int enable, int method, float factor, int flipVertical, int mirror) {
    CAutoLock hold(&effectLock_);
    settings_.SetZoom(enable, method, factor, flipVertical, mirror);
    return S_OK;
}

STDMETHODIMP CEffectFilter::ShowFps(int on) {
    CAutoLock hold(&effectLock_);
    settings_.ShowFps(on);
    return S_OK;
}

STDMETHODIMP CEffectFilter::SetGammaCorrect(int on) {
    CAutoLock hold(&effectLock_);
    settings_.gammaCorrectOn = on;
    return S_OK;
}

STDMETHODIMP CEffectFilter::SetGammaAdjustment(int brightness, int contrast, int gammaRed, int gammaGreen,
                                               int gammaBlue) {
    CAutoLock hold(&effectLock_);
    fx::SetGammaAdjustment(settings_.colour, brightness, contrast, gammaRed, gammaGreen, gammaBlue);
    return S_OK;
}

STDMETHODIMP CEffectFilter::SetAutoWhiteBalance(int on, int mode, int period) {
    CAutoLock hold(&effectLock_);
    settings_.SetAutoWhiteBalance(on, mode, period);
    return S_OK;
}

STDMETHODIMP CEffectFilter::SetDespeckle(int on) {
    CAutoLock hold(&effectLock_);
    settings_.despeckleOn = on;
    return S_OK;
}

STDMETHODIMP CEffectFilter::GetFeatureState(int index, int* value) {
    if (value == nullptr) return E_POINTER;
    CAutoLock hold(&effectLock_);
    *value = settings_.FeatureState(index);
    return S_OK;
}

// Reserved slots: they hold the lock like every other method and answer
// their fixed results.
#define LENSTINT_RESERVED(signature, result)                                                                           \
    STDMETHODIMP CEffectFilter::signature {                                                                            \
        CAutoLock hold(&effectLock_);                                                                                  \
        return result;                                                                                                 \
    }
LENSTINT_RESERVED(Reserved16(int, int, int, int, int), E_FAIL)
LENSTINT_RESERVED(Reserved17(int, int, int), S_OK)
LENSTINT_RESERVED(Reserved18(int), E_FAIL)
LENSTINT_RESERVED(Reserved19(int), S_OK)
LENSTINT_RESERVED(Reserved20(int, int, int, int), S_OK)
LENSTINT_RESERVED(Reserved21(int, int), E_FAIL)
LENSTINT_RESERVED(Reserved22(int), S_OK)
LENSTINT_RESERVED(Reserved23(int), S_OK)
LENSTINT_RESERVED(Reserved24(int), S_OK)
LENSTINT_RESERVED(Reserved25(int, int, int, int), E_FAIL)
LENSTINT_RESERVED(Reserved26(int, int), S_OK)
LENSTINT_RESERVED(Reserved27(int, int), S_OK)
LENSTINT_RESERVED(Reserved28(), S_OK)
#undef LENSTINT_RESERVED

// --- Media types

HRESULT CEffectFilter::CheckInputType(const CMediaType* input) {
    if (input == nullptr) return E_POINTER;
    if (input->formattype != FORMAT_VideoInfo) return E_INVALIDARG;
    // A format block too short for a VIDEOINFOHEADER cannot be read at all.
    if (dshowbase::VideoInfo(*input) == nullptr) return E_INVALIDARG;
    return IsUsableRgb24(*input) ? S_OK : E_FAIL;
}

HRESULT CEffectFilter::CheckTransform(const CMediaType* input, const CMediaType* output) {
    if (input == nullptr || output == nullptr) return E_POINTER;
    if (!IsUsableRgb24(*input)) return E_FAIL;
    return dshowbase::MediaTypesEqual(*input, *output) ? S_OK : E_FAIL;
}

HRESULT CEffectFilter::GetMediaType(int position, CMediaType* output) {
    if (!InputPin()->IsConnected()) return E_UNEXPECTED;
    if (position < 0) return E_INVALIDARG;
    if (position > 0) return VFW_S_NO_MORE_ITEMS;
    if (output == nullptr) return E_POINTER;
    *output = InputPin()->CurrentMediaType();
    return output->IsValid() ? S_OK : E_OUTOFMEMORY;
}

HRESULT CEffectFilter::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) {
    if (!InputPin()->IsConnected()) return E_UNEXPECTED;
    if (allocator == nullptr || request == nullptr) return E_POINTER;
    // Upstream filters may describe RGB24 with a sample size of 0 or 1:
    // buffers large enough for a whole frame whatever the sample size says.
    const ULONG frame = dshowbase::FrameBufferSize(InputPin()->CurrentMediaType());
    if (frame == 0 || frame > static_cast<ULONG>(LONG_MAX)) return E_FAIL;
    // More than one: a Smart Tee that copies each frame to its preview
    // branch (Wine's does) asks this allocator for a second buffer while it
    // still holds the first, and with one buffer it would wait forever.
    request->cBuffers = request->cBuffers > 3 ? request->cBuffers : 3;
    request->cbBuffer = static_cast<long>(frame);
    if (request->cbAlign < 1) request->cbAlign = 1;
    ALLOCATOR_PROPERTIES actual{};
    RETURN_IF_FAILED(allocator->SetProperties(request, &actual));
    return (actual.cBuffers < request->cBuffers || actual.cbBuffer < request->cbBuffer) ? E_FAIL : S_OK;
}

// --- Frames

HRESULT CEffectFilter::Transform(IMediaSample* input, IMediaSample* output) {
    if (input == nullptr || output == nullptr) return E_POINTER;
    HRESULT hr = dshowbase::CopySample(input, output);
    // A frame larger than the output buffer is refused, not cut.
    if (hr == VFW_E_BUFFER_OVERFLOW) return E_FAIL;
    if (FAILED(hr)) return hr;

    BYTE* data = nullptr;
    RETURN_IF_FAILED(output->GetPointer(&data));
    const long length = output->GetActualDataLength();
    CAutoLock hold(&effectLock_);
    const VIDEOINFOHEADER* info = dshowbase::VideoInfo(InputPin()->CurrentMediaType());
    fx::RgbFrame frame;
    uint32_t stride = 0;
    // Rows are DIB rows; a sample shorter than the header's picture passes
    // through untouched.
    if (info == nullptr || data == nullptr || length <= 0 ||
        !imagegeometry::SampleRowStride(info->bmiHeader.biWidth, info->bmiHeader.biHeight, 24,
                                        static_cast<uint64_t>(length), &stride) ||
        !fx::MakeFrameView(data, static_cast<std::size_t>(length), info->bmiHeader.biWidth, info->bmiHeader.biHeight,
                           stride, frame)) {
        return S_OK;
    }
    fx::RunEffectPipeline(settings_, frame, *this);
    return S_OK;
}

// --- What the pipeline asks of Windows

void CEffectFilter::FrameSizeChanged() {
    if (text_.Loaded()) {
        const std::wstring saved(AsWide(settings_.savedText));
        SetText(saved.c_str(), 0, 235, 172, 25, kOverlayFont);
    }
    if (photoFrame_.Loaded()) {
        const std::wstring path(AsWide(settings_.savedPath));
        const CResourceName name = frameResourceName_;
        const CResourceName type = frameResourceType_;
        LoadFrame(path.c_str(), frameSource_, name.Get(), type.Get());
    }
}

fx::TimeOfDay CEffectFilter::Now() {
    SYSTEMTIME now{};
    GetSystemTime(&now);
    return fx::TimeOfDay{now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
}

void CEffectFilter::ShowFrameRateText(const char16_t* text) {
    RenderOverlayText(AsWide(text), kFrameRateSizeStep, 0, 255, 0, kOverlayFont);
}

void CEffectFilter::StretchZoom(const fx::RgbFrame& frame, const fx::ZoomCrop& crop) {
    CDibSurface* target = stretchSurface_.Prepare(frame.width, frame.height);
    if (target == nullptr) return;
    // The source is the frame laid out as a DIB; the section is the target,
    // so the two never overlap.
    const std::size_t stride = target->Stride();
    uint8_t* source = scratch_.Bytes(3, stride * static_cast<std::size_t>(frame.height));
    for (int r = 0; r < frame.height; ++r) {
        std::memcpy(source + stride * static_cast<std::size_t>(r), frame.Row(r),
                    static_cast<std::size_t>(frame.width) * 3);
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = frame.width;
    info.bmiHeader.biHeight = frame.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    // A bottom-up DIB counts source rows from its bottom, as the crop does.
    const int copied = StretchDIBits(target->Dc(), 0, 0, frame.width, frame.height, crop.x0, crop.y0, crop.width,
                                     crop.height, source, &info, DIB_RGB_COLORS, SRCCOPY);
    if (copied <= 0) return;  // 0 or GDI_ERROR: the frame stays as it is
    stretchSurface_.Store(frame);
}

void CEffectFilter::Compose(const fx::RgbFrame& frame) {
    const bool showFrame = settings_.controlId == fx::ControlIdOf(fx::kEffectPhotoFrame) && photoFrame_.Loaded();
    const bool showText = settings_.textOn != 0 && text_.Loaded();
    if (!showFrame && !showText) return;  // nothing to lay over: spare the copies
    CDibSurface* surface = composeSurface_.Load(frame);
    if (surface == nullptr) return;
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    if (showFrame) {
        AlphaBlend(surface->Dc(), 0, 0, photoFrame_.Width(), photoFrame_.Height(), photoFrame_.Dc(), 0, 0,
                   photoFrame_.Width(), photoFrame_.Height(), blend);
    }
    if (showText) {
        AlphaBlend(surface->Dc(), text_.X(), text_.Y(), text_.Width(), text_.Height(), text_.Dc(), 0, 0, text_.Width(),
                   text_.Height(), blend);
    }
    composeSurface_.Store(frame);
}

// --- Persistence

DWORD CEffectFilter::GetSoftwareVersion() { return kSavedEffectVersion; }

SavedEffect CEffectFilter::SavedState() {
    CAutoLock hold(&effectLock_);
    SavedEffect saved;
    saved.controlId = settings_.controlId;
    saved.parameter = settings_.parameter;
    saved.jitter.assign(settings_.jitter.begin(), settings_.jitter.end());
    saved.kaleidoscope = settings_.kaleidoscope;
    saved.frameKept = photoFrame_.Loaded();
    if (saved.frameKept) {
        saved.frameSource = frameSource_;
        saved.framePath = AsWide(settings_.savedPath);
        saved.frameName = frameResourceName_;
        saved.frameType = frameResourceType_;
    }
    return saved;
}

// After the version field, the effect's control id, then what the effect
// draws from (see SavedEffect.h); the stream is written outside the lock.
HRESULT CEffectFilter::WriteToStream(IStream* stream) { return WriteSavedEffect(stream, SavedState()); }

int CEffectFilter::SizeMax() { return CPersistStream::SizeMax() + static_cast<int>(SavedEffectBytes(SavedState())); }

HRESULT CEffectFilter::ReadFromStream(IStream* stream) {
    if (FileVersion() < kSavedEffectVersion) {
        // Older streams hold the control id alone, or only the version
        // field; the control id is taken when present, and the current
        // effect kept when not.
        int controlId = 0;
        ULONG read = 0;
        RETURN_IF_FAILED(stream->Read(&controlId, sizeof(controlId), &read));
        if (read == sizeof(controlId)) {
            CAutoLock hold(&effectLock_);
            settings_.controlId = controlId;
        }
        return S_OK;
    }
    // Everything is read before anything is taken: a damaged stream leaves
    // the filter as it was.
    SavedEffect saved;
    RETURN_IF_FAILED(ReadSavedEffect(stream, saved));
    CAutoLock hold(&effectLock_);
    settings_.controlId = saved.controlId;
    settings_.parameter = saved.parameter;
    std::copy(saved.jitter.begin(), saved.jitter.end(), settings_.jitter.begin());
    settings_.kaleidoscope = saved.kaleidoscope;
    if (saved.frameKept) {
        // A frame whose file or resource has gone since the save stays off,
        // as after a failed LoadFrameImage; the graph itself still loads.
        LoadFrame(saved.framePath.c_str(), saved.frameSource, saved.frameName.Get(), saved.frameType.Get());
    } else {
        photoFrame_.Unload();
    }
    return S_OK;
}

}  // namespace lenstint
