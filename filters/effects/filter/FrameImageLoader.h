// Loads the pictures the effects filter lays over the video: PNG (or any
// GDI+ format) files and image resources of a module, and scales them.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>
#include <wrl/client.h>

#include <memory>

namespace lenstint {

// A decoded picture. GDI+ reads a stream-based bitmap lazily, so the stream
// it came from lives exactly as long as the bitmap.
struct CLoadedImage {
    Microsoft::WRL::ComPtr<IStream> stream;
    std::unique_ptr<Gdiplus::Bitmap> bitmap;

    bool Valid() const { return bitmap != nullptr; }
};

// False unless the file decodes to a bitmap with status Ok.
bool LoadImageFile(const wchar_t* path, CLoadedImage& out);

// The resource `name` of type `type` in a loaded module, decoded from a
// global-memory copy of its bytes. False for a missing or empty resource or
// a failing stream.
bool LoadImageResource(HMODULE module, const wchar_t* name, const wchar_t* type, CLoadedImage& out);

// The resource of a module file that is loaded only as data: its code never
// runs, whatever file the path names.
bool LoadImageFromModuleFile(const wchar_t* path, const wchar_t* name, const wchar_t* type, CLoadedImage& out);

// The picture at width x height in 32-bit ARGB: a copy when it has that size
// already, else stretched onto a canvas rounded up to even sizes and cut to
// the size asked. Null for a size of 0 or less, or when GDI+ fails.
std::unique_ptr<Gdiplus::Bitmap> ResizeImage(Gdiplus::Bitmap& image, int width, int height);

}  // namespace lenstint
