#include "ScreenPicture.h"

#include "ScreenSession.h"

#include <gdiplus.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace vimbrel::screentest {
namespace {

// GDI+ for the PNG encoder, started once for the test program's life.
class CGdiplusSession {
public:
    CGdiplusSession() {
        Gdiplus::GdiplusStartupInput input;
        ok_ = Gdiplus::GdiplusStartup(&token_, &input, nullptr) == Gdiplus::Ok;
    }
    ~CGdiplusSession() {
        if (ok_) Gdiplus::GdiplusShutdown(token_);
    }
    bool Ok() const { return ok_; }

private:
    ULONG_PTR token_ = 0;
    bool ok_ = false;
};

CGdiplusSession& GdiplusSession() {
    static CGdiplusSession session;
    return session;
}

bool PngEncoder(CLSID& clsid) {
    UINT count = 0, bytes = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0) return false;
    std::vector<char> buffer(bytes);
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::GetImageEncoders(count, bytes, encoders) != Gdiplus::Ok) return false;
    for (UINT i = 0; i < count; ++i) {
        if (std::wstring(encoders[i].MimeType) == L"image/png") {
            clsid = encoders[i].Clsid;
            return true;
        }
    }
    return false;
}

std::wstring GalleryFolder() {
    const std::wstring artifacts = ProgramFolder() + L"\\..\\artifacts";
    CreateDirectoryW(artifacts.c_str(), nullptr);
    const std::wstring screens = artifacts + L"\\screens";
    CreateDirectoryW(screens.c_str(), nullptr);
    return screens;
}

COLORREF FromPixel(std::uint32_t p) { return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF); }

}  // namespace

CScreenPicture CScreenPicture::Of(const RECT& screen) {
    CScreenPicture picture;
    const int width = screen.right - screen.left, height = screen.bottom - screen.top;
    if (width <= 0 || height <= 0) return picture;
    HDC display = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(display);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(display, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (memory && bitmap && bits) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        if (BitBlt(memory, 0, 0, width, height, display, screen.left, screen.top, SRCCOPY)) {
            GdiFlush();
            const auto* p = static_cast<const std::uint32_t*>(bits);
            picture.pixels_.assign(p, p + static_cast<size_t>(width) * height);
            for (std::uint32_t& px : picture.pixels_) px &= 0x00FFFFFF;
            picture.area_ = screen;
            picture.width_ = width;
            picture.height_ = height;
        }
        SelectObject(memory, old);
    }
    if (bitmap) DeleteObject(bitmap);
    if (memory) DeleteDC(memory);
    ReleaseDC(nullptr, display);
    return picture;
}

CScreenPicture CScreenPicture::OfWindow(HWND window) {
    RECT r{};
    if (!GetWindowRect(window, &r)) return {};
    return Of(r);
}

CScreenPicture CScreenPicture::OfClient(HWND window, const RECT& client) {
    RECT r = client;
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return Of(r);
}

CScreenPicture CScreenPicture::OfProgramPicture(const wchar_t* name, const wchar_t* type) {
    CScreenPicture picture;
    const std::wstring program = ProgramFolder() + L"\\vimbrel.exe";
    HMODULE module = LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr || !GdiplusSession().Ok()) return picture;
    HRSRC found = FindResourceW(module, name, type);
    const void* bytes = found ? LockResource(LoadResource(module, found)) : nullptr;
    const DWORD size = found ? SizeofResource(module, found) : 0;
    // The stream owns a copy, which it frees when released.
    HGLOBAL copy = bytes ? GlobalAlloc(GMEM_MOVEABLE, size) : nullptr;
    IStream* stream = nullptr;
    if (copy != nullptr) {
        memcpy(GlobalLock(copy), bytes, size);
        GlobalUnlock(copy);
        if (FAILED(CreateStreamOnHGlobal(copy, TRUE, &stream))) GlobalFree(copy);
    }
    if (stream != nullptr) {
        Gdiplus::Bitmap bitmap(stream);
        Gdiplus::BitmapData data{};
        const Gdiplus::Rect all(0, 0, static_cast<INT>(bitmap.GetWidth()), static_cast<INT>(bitmap.GetHeight()));
        if (bitmap.GetLastStatus() == Gdiplus::Ok &&
            bitmap.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppRGB, &data) == Gdiplus::Ok) {
            for (int y = 0; y < all.Height; ++y) {
                const auto* row = reinterpret_cast<const std::uint32_t*>(static_cast<const BYTE*>(data.Scan0) +
                                                                         static_cast<ptrdiff_t>(y) * data.Stride);
                for (int x = 0; x < all.Width; ++x) picture.pixels_.push_back(row[x] & 0x00FFFFFF);
            }
            bitmap.UnlockBits(&data);
            picture.width_ = all.Width;
            picture.height_ = all.Height;
        }
        stream->Release();
    }
    FreeLibrary(module);
    return picture;
}

COLORREF CScreenPicture::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    return FromPixel(pixels_[static_cast<size_t>(y) * width_ + x]);
}

int CScreenPicture::Count(const std::function<bool(COLORREF)>& test) const {
    return Count(RECT{0, 0, width_, height_}, test);
}

int CScreenPicture::Count(const RECT& part, const std::function<bool(COLORREF)>& test) const {
    int n = 0;
    for (int y = part.top < 0 ? 0 : part.top; y < part.bottom && y < height_; ++y) {
        for (int x = part.left < 0 ? 0 : part.left; x < part.right && x < width_; ++x) {
            if (test(At(x, y))) ++n;
        }
    }
    return n;
}

int CScreenPicture::CountDifferent(const CScreenPicture& other, int tolerance) const {
    if (Empty() || other.Empty() || other.width_ != width_ || other.height_ != height_) {
        ADD_FAILURE() << "pictures that cannot be compared: " << width_ << " x " << height_ << " and " << other.width_
                      << " x " << other.height_;
        return -1;
    }
    int n = 0;
    for (size_t i = 0; i < pixels_.size(); ++i) {
        if (!Near(FromPixel(pixels_[i]), FromPixel(other.pixels_[i]), tolerance)) ++n;
    }
    return n;
}

bool CScreenPicture::SaveToGallery(const std::wstring& name) const {
    CLSID png{};
    if (Empty() || !GdiplusSession().Ok() || !PngEncoder(png)) return false;
    // The pixels stay ours: the bitmap only reads them while it saves.
    Gdiplus::Bitmap bitmap(width_, height_, width_ * 4, PixelFormat32bppRGB,
                           reinterpret_cast<BYTE*>(const_cast<std::uint32_t*>(pixels_.data())));
    const std::wstring path = GalleryFolder() + L"\\" + name + L".png";
    return bitmap.Save(path.c_str(), &png, nullptr) == Gdiplus::Ok;
}

bool Near(COLORREF a, COLORREF b, int tolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

bool SaveScreenToGallery(const std::wstring& name) {
    return CScreenPicture::Of(RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)})
        .SaveToGallery(name);
}

}  // namespace vimbrel::screentest
