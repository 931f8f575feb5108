#include "FrameImageLoader.h"

#include "winowners/KernelOwners.h"

#include <cstring>

namespace lenstint {

// GDI+ objects allocate through GDI+ itself, which answers null (never
// throws) when memory runs out.
namespace {

bool Usable(const Gdiplus::Bitmap* bitmap) { return bitmap != nullptr && bitmap->GetLastStatus() == Gdiplus::Ok; }

// A module loaded for its resources alone.
winowners::UniqueModule LoadDataModule(const wchar_t* path) {
    // The image-resource flag keeps the loader from even mapping the file
    // as an image; systems before Vista do not know it, so fall back to
    // the plain data-file load, which also runs no code.
    winowners::UniqueModule module(
        LoadLibraryExW(path, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    if (!module) {
        module.reset(LoadLibraryExW(path, nullptr, LOAD_LIBRARY_AS_DATAFILE));
    }
    return module;
}

}  // namespace

bool LoadImageFile(const wchar_t* path, CLoadedImage& out) {
    out = CLoadedImage{};
    if (path == nullptr) {
        return false;
    }
    std::unique_ptr<Gdiplus::Bitmap> bitmap(new Gdiplus::Bitmap(path));
    if (!Usable(bitmap.get())) {
        return false;
    }
    out.bitmap = std::move(bitmap);
    return true;
}

bool LoadImageResource(HMODULE module, const wchar_t* name, const wchar_t* type, CLoadedImage& out) {
    out = CLoadedImage{};
    if (module == nullptr || name == nullptr || type == nullptr) {
        return false;
    }
    HRSRC found = FindResourceW(module, name, type);
    const DWORD size = found != nullptr ? SizeofResource(module, found) : 0;
    HGLOBAL resource = found != nullptr ? LoadResource(module, found) : nullptr;
    const void* bytes = resource != nullptr ? LockResource(resource) : nullptr;
    if (bytes == nullptr || size == 0) {
        return false;
    }
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    if (copy == nullptr) {
        return false;
    }
    void* target = GlobalLock(copy);
    if (target == nullptr) {
        GlobalFree(copy);
        return false;
    }
    std::memcpy(target, bytes, size);
    GlobalUnlock(copy);
    // The stream owns the memory from here on and frees it when it goes.
    if (FAILED(CreateStreamOnHGlobal(copy, TRUE, out.stream.GetAddressOf()))) {
        GlobalFree(copy);
        return false;
    }
    std::unique_ptr<Gdiplus::Bitmap> bitmap(new Gdiplus::Bitmap(out.stream.Get()));
    if (!Usable(bitmap.get())) {
        out = CLoadedImage{};
        return false;
    }
    out.bitmap = std::move(bitmap);
    return true;
}

bool LoadImageFromModuleFile(const wchar_t* path, const wchar_t* name, const wchar_t* type, CLoadedImage& out) {
    out = CLoadedImage{};
    if (path == nullptr) {
        return false;
    }
    // The stream holds its own copy of the bytes, so the module can go.
    const winowners::UniqueModule module = LoadDataModule(path);
    return module && LoadImageResource(module.get(), name, type, out);
}

std::unique_ptr<Gdiplus::Bitmap> ResizeImage(Gdiplus::Bitmap& image, int width, int height) {
    if (width <= 0 || height <= 0) {
        return nullptr;
    }
    if (image.GetWidth() == static_cast<UINT>(width) && image.GetHeight() == static_cast<UINT>(height)) {
        std::unique_ptr<Gdiplus::Bitmap> copy(image.Clone(Gdiplus::Rect(0, 0, width, height), PixelFormat32bppARGB));
        return Usable(copy.get()) ? std::move(copy) : nullptr;
    }
    const int canvasWidth = width + (width & 1);
    const int canvasHeight = height + (height & 1);
    Gdiplus::Bitmap canvas(canvasWidth, canvasHeight, PixelFormat32bppARGB);
    if (canvas.GetLastStatus() != Gdiplus::Ok) {
        return nullptr;
    }
    {
        Gdiplus::Graphics graphics(&canvas);
        if (graphics.DrawImage(&image, 0, 0, canvasWidth, canvasHeight) != Gdiplus::Ok) {
            return nullptr;
        }
    }
    std::unique_ptr<Gdiplus::Bitmap> cut(canvas.Clone(Gdiplus::Rect(0, 0, width, height), PixelFormat32bppARGB));
    return Usable(cut.get()) ? std::move(cut) : nullptr;
}

}  // namespace lenstint
