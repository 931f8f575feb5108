// Writing a GDI+ image to a file with the encoder of a picture format.
#pragma once

#include <windows.h>
#include <gdiplus.h>

namespace camera {

// The index of the first encoder whose MIME type is exactly mime, its class
// id in clsid; -1 when there is none.
int FindEncoderClsid(const wchar_t* mime, CLSID* clsid);

// The one parameter a JPEG is saved with: its quality, 0..100.
struct JpegQualityParameter {
    Gdiplus::EncoderParameters parameters;
    ULONG quality;
};
void FillJpegQuality(JpegQualityParameter& parameter, int quality);

// 1 saved, 0 failed; a format outside 0..4 writes nothing and answers 1.
int SaveImageWithEncoder(Gdiplus::GpImage* image, const wchar_t* path, int format, int jpegQuality);

}  // namespace camera
