#include "engine/win/ImageSaving.h"

#include "engine/win/ComHelpers.h"
#include "engine/core/ImageEncoders.h"

#include <vector>

namespace camera {

namespace GP = Gdiplus::DllExports;

namespace {

// {1D5BE4B5-FA4A-452D-9CDD-5DB35105E7EB}
constexpr GUID kEncoderQuality = {0x1D5BE4B5, 0xFA4A, 0x452D, {0x9C, 0xDD, 0x5D, 0xB3, 0x51, 0x05, 0xE7, 0xEB}};

// GIF holds at most 256 colours. Handing the encoder an indexed copy makes
// the reduction explicit; some GDI+ versions write a broken file when given
// true-colour pixels.
Gdiplus::GpImage* IndexedCopy(Gdiplus::GpImage* image) {
    UINT width = 0;
    UINT height = 0;
    if (GP::GdipGetImageWidth(image, &width) != Gdiplus::Ok || GP::GdipGetImageHeight(image, &height) != Gdiplus::Ok)
        return nullptr;
    Gdiplus::GpBitmap* copy = nullptr;
    if (GP::GdipCloneBitmapAreaI(0, 0, static_cast<INT>(width), static_cast<INT>(height), PixelFormat8bppIndexed,
                                 reinterpret_cast<Gdiplus::GpBitmap*>(image), &copy) != Gdiplus::Ok)
        return nullptr;
    return copy;
}

}  // namespace

int FindEncoderClsid(const wchar_t* mime, CLSID* clsid) {
    if (mime == nullptr || clsid == nullptr) return -1;
    UINT count = 0;
    UINT bytes = 0;
    if (GP::GdipGetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || count == 0 || bytes == 0) return -1;
    std::vector<BYTE> storage(bytes);
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(storage.data());
    if (GP::GdipGetImageEncoders(count, bytes, encoders) != Gdiplus::Ok) return -1;
    for (UINT i = 0; i < count; ++i) {
        if (encoders[i].MimeType != nullptr && wcscmp(encoders[i].MimeType, mime) == 0) {
            *clsid = encoders[i].Clsid;
            return static_cast<int>(i);
        }
    }
    return -1;
}

void FillJpegQuality(JpegQualityParameter& parameter, int quality) {
    parameter.quality = static_cast<ULONG>(quality);
    parameter.parameters.Count = 1;
    parameter.parameters.Parameter[0].Guid = kEncoderQuality;
    parameter.parameters.Parameter[0].NumberOfValues = 1;
    parameter.parameters.Parameter[0].Type = Gdiplus::EncoderParameterValueTypeLong;
    parameter.parameters.Parameter[0].Value = &parameter.quality;
}

int SaveImageWithEncoder(Gdiplus::GpImage* image, const wchar_t* path, int format, int jpegQuality) {
    const char16_t* mime = ImageEncoderMime(format);
    if (mime == nullptr) return 1;
    if (image == nullptr || path == nullptr) return 0;
    CLSID encoder{};
    if (FindEncoderClsid(FromUtf16(mime).c_str(), &encoder) < 0) return 0;
    JpegQualityParameter jpeg{};
    FillJpegQuality(jpeg, jpegQuality);
    const Gdiplus::EncoderParameters* parameters = format == kImageFormatJpeg ? &jpeg.parameters : nullptr;

    Gdiplus::GpImage* indexed = format == kImageFormatGif ? IndexedCopy(image) : nullptr;
    const Gdiplus::GpStatus status = GP::GdipSaveImageToFile(indexed != nullptr ? indexed : image, path, &encoder,
                                                             parameters);
    if (indexed != nullptr) GP::GdipDisposeImage(indexed);
    return status == Gdiplus::Ok ? 1 : 0;
}

}  // namespace camera
