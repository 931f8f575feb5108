#include "CanvasPictures.h"

#include "EncoderChoice.h"
#include "SkinImageLoader.h"
#include "WholeFile.h"
#include "WideText.h"

#include <cstring>
#include <new>
#include <vector>

namespace vimbrel::canvas {

namespace {

// Read whole under the program's picture cap, so that the 32-bit process is
// not asked for one block the size of any file the user points it at.
std::unique_ptr<Gdiplus::Bitmap> LoadPictureFile(const wchar_t* path) {
    std::vector<uint8_t> bytes;
    if (!vimbrel::ui::ReadWholeFile(path, bytes, vimbrel::ui::kMaxPictureBytes) || bytes.empty()) return nullptr;
    return vimbrel::ui::DecodeSkinImage(bytes.data(), bytes.size());
}

bool FindEncoder(const wchar_t* mimeType, CLSID& clsid) {
    UINT count = 0, bytes = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || count == 0 || bytes == 0) return false;
    std::vector<uint8_t> buffer(bytes);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::GetImageEncoders(count, bytes, codecs) != Gdiplus::Ok) return false;
    for (UINT i = 0; i < count; ++i) {
        if (codecs[i].MimeType && lstrcmpiW(codecs[i].MimeType, mimeType) == 0) {
            clsid = codecs[i].Clsid;
            return true;
        }
    }
    return false;
}

}  // namespace

std::unique_ptr<Gdiplus::Bitmap> LoadCanvasPicture(const wchar_t* path, int kind, const wchar_t* resourceName,
                                                   const wchar_t* resourceType) {
    switch (kind) {
    case 0: return (path && *path) ? LoadPictureFile(path) : nullptr;
    case 1:
        if (!path || !*path) return nullptr;
        return vimbrel::ui::LoadSkinImage(resourceName, vimbrel::ui::SkinSourceKind::Library, path, resourceType);
    case 2:
        return vimbrel::ui::LoadSkinImage(resourceName, vimbrel::ui::SkinSourceKind::OwnResources, L"", resourceType);
    default: return nullptr;
    }
}

std::unique_ptr<Gdiplus::Bitmap> MakeWhitePicture(int width, int height) {
    auto picture = std::make_unique<Gdiplus::Bitmap>(width, height, PixelFormat32bppRGB);
    if (picture->GetLastStatus() != Gdiplus::Ok) return nullptr;
    Gdiplus::Graphics graphics(picture.get());
    graphics.Clear(Gdiplus::Color(255, 255, 255, 255));
    return picture;
}

bool CopyPictureToSurface(Gdiplus::Bitmap& picture, CCanvasSurface& surface) {
    const int w = static_cast<int>(picture.GetWidth());
    const int h = static_cast<int>(picture.GetHeight());
    if (!surface.Ok() || w != surface.Width() || h != surface.Height()) return false;
    surface.Flush();
    // The surface is bottom-up: GDI+ writes into it with a negative stride
    // starting at the top row.
    Gdiplus::BitmapData data{};
    data.Width = w;
    data.Height = h;
    data.Stride = -w * 4;
    data.PixelFormat = PixelFormat32bppRGB;
    data.Scan0 = surface.Bits() + static_cast<size_t>(h - 1) * w * 4;
    Gdiplus::Rect all(0, 0, w, h);
    if (picture.LockBits(&all, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf, PixelFormat32bppRGB,
                         &data) == Gdiplus::Ok) {
        picture.UnlockBits(&data);
        return true;
    }
    // Some GDI+ builds refuse a caller's bottom-up buffer: read row by row.
    Gdiplus::BitmapData locked{};
    if (picture.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppRGB, &locked) != Gdiplus::Ok) return false;
    for (int y = 0; y < h; ++y) {
        std::memcpy(surface.Bits() + static_cast<size_t>(h - 1 - y) * w * 4,
                    static_cast<const uint8_t*>(locked.Scan0) + static_cast<ptrdiff_t>(y) * locked.Stride,
                    static_cast<size_t>(w) * 4);
    }
    picture.UnlockBits(&locked);
    return true;
}

bool ReadArgbPixels(Gdiplus::Bitmap& picture, StampPixels& out) {
    const int w = static_cast<int>(picture.GetWidth());
    const int h = static_cast<int>(picture.GetHeight());
    if (w <= 0 || h <= 0) return false;
    Gdiplus::Rect all(0, 0, w, h);
    Gdiplus::BitmapData locked{};
    if (picture.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &locked) != Gdiplus::Ok) return false;
    StampPixels pixels;
    pixels.width = w;
    pixels.height = h;
    try {
        pixels.pixels.resize(static_cast<size_t>(w) * h);
    } catch (const std::bad_alloc&) {
        picture.UnlockBits(&locked);
        return false;
    }
    for (int y = 0; y < h; ++y)
        std::memcpy(&pixels.pixels[static_cast<size_t>(y) * w],
                    static_cast<const uint8_t*>(locked.Scan0) + static_cast<ptrdiff_t>(y) * locked.Stride,
                    static_cast<size_t>(w) * 4);
    picture.UnlockBits(&locked);
    out = std::move(pixels);
    return true;
}

std::unique_ptr<Gdiplus::Bitmap> MakeArgbBitmap(const StampPixels& pixels) {
    if (pixels.width <= 0 || pixels.height <= 0) return nullptr;
    auto bitmap = std::make_unique<Gdiplus::Bitmap>(pixels.width, pixels.height, PixelFormat32bppARGB);
    if (bitmap->GetLastStatus() != Gdiplus::Ok) return nullptr;
    Gdiplus::Rect all(0, 0, pixels.width, pixels.height);
    Gdiplus::BitmapData locked{};
    if (bitmap->LockBits(&all, Gdiplus::ImageLockModeWrite, PixelFormat32bppARGB, &locked) != Gdiplus::Ok)
        return nullptr;
    for (int y = 0; y < pixels.height; ++y)
        std::memcpy(static_cast<uint8_t*>(locked.Scan0) + static_cast<ptrdiff_t>(y) * locked.Stride,
                    &pixels.pixels[static_cast<size_t>(y) * pixels.width], static_cast<size_t>(pixels.width) * 4);
    bitmap->UnlockBits(&locked);
    return bitmap;
}

bool SaveSurfaceAs(CCanvasSurface& surface, const wchar_t* path) {
    if (!path || !surface.Ok()) return false;
    const std::u16string_view mime = EncoderMimeTypeFor(ViewAsU16(path));
    if (mime.empty()) return false;
    const std::wstring mimeType(mime.begin(), mime.end());
    CLSID encoder{};
    if (!FindEncoder(mimeType.c_str(), encoder)) return false;

    const int w = surface.Width();
    const int h = surface.Height();
    Gdiplus::Bitmap rgb(w, h, PixelFormat24bppRGB);
    if (rgb.GetLastStatus() != Gdiplus::Ok) return false;
    surface.Flush();
    Gdiplus::Rect all(0, 0, w, h);
    Gdiplus::BitmapData locked{};
    if (rgb.LockBits(&all, Gdiplus::ImageLockModeWrite, PixelFormat24bppRGB, &locked) != Gdiplus::Ok) return false;
    for (int y = 0; y < h; ++y) {
        const uint8_t* from = surface.Bits() + static_cast<size_t>(h - 1 - y) * w * 4;
        uint8_t* to = static_cast<uint8_t*>(locked.Scan0) + static_cast<ptrdiff_t>(y) * locked.Stride;
        for (int x = 0; x < w; ++x) {
            to[3 * x] = from[4 * x];
            to[3 * x + 1] = from[4 * x + 1];
            to[3 * x + 2] = from[4 * x + 2];
        }
    }
    rgb.UnlockBits(&locked);

    if (mime == u"image/gif") {
        // The GIF encoder reduces to a palette itself on Windows; some GDI+
        // builds instead write a broken file from a 24-bit picture. Handing
        // it an 8-bit halftone copy gives the same picture on both.
        std::unique_ptr<Gdiplus::Bitmap> indexed(rgb.Clone(0, 0, w, h, PixelFormat8bppIndexed));
        if (indexed && indexed->GetLastStatus() == Gdiplus::Ok)
            return indexed->Save(path, &encoder, nullptr) == Gdiplus::Ok;
    }
    return rgb.Save(path, &encoder, nullptr) == Gdiplus::Ok;
}

}  // namespace vimbrel::canvas
