#include "ThumbStrip.h"

#include "ThumbGeometry.h"

#include <cstring>
#include <memory>
#include <vector>

namespace vimbrel::browser {
namespace {

bool FindEncoder(const wchar_t* mime, CLSID& clsid) {
    UINT count = 0, size = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &size) != Gdiplus::Ok || size == 0) return false;
    std::vector<uint8_t> buffer(size);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::GetImageEncoders(count, size, codecs) != Gdiplus::Ok) return false;
    for (UINT i = 0; i < count; ++i) {
        if (wcscmp(codecs[i].MimeType, mime) == 0) {
            clsid = codecs[i].Clsid;
            return true;
        }
    }
    return false;
}

}  // namespace

HBITMAP CreateStripDib(HDC dc, int rows, void** bits) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 100;
    info.bmiHeader.biHeight = -rows;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    return CreateDIBSection(dc, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

bool CThumbStrip::Create(long cells) {
    Release();
    if (cells < 0 || cells > (0x7FFFFFFF / 75)) return false;
    winowners::UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
    if (!dc) return false;
    if (cells > 0) {
        void* bits = nullptr;
        winowners::UniqueBitmap bitmap(CreateStripDib(dc.get(), static_cast<int>(cells * 75), &bits));
        if (!bitmap || !bits) return false;
        oldBitmap_ = SelectObject(dc.get(), bitmap.get());
        bits_ = static_cast<uint8_t*>(bits);
        memset(bits_, 0xFF, static_cast<size_t>(cells) * 75 * kStride);
        bitmap_ = std::move(bitmap);
    }
    dc_ = std::move(dc);
    cells_ = cells;
    exists_ = true;
    return true;
}

void CThumbStrip::Release() {
    if (dc_ && oldBitmap_) SelectObject(dc_.get(), oldBitmap_);
    oldBitmap_ = nullptr;
    bitmap_.reset();
    dc_.reset();
    bits_ = nullptr;
    cells_ = 0;
    exists_ = false;
}

void CThumbStrip::Swap(CThumbStrip& other) {
    std::swap(dc_, other.dc_);
    std::swap(bitmap_, other.bitmap_);
    std::swap(oldBitmap_, other.oldBitmap_);
    std::swap(bits_, other.bits_);
    std::swap(cells_, other.cells_);
    std::swap(exists_, other.exists_);
}

void CThumbStrip::CopyCellFrom(const CThumbStrip& other, long from, long to) {
    if (from < 0 || from >= other.cells_ || to < 0 || to >= cells_) return;
    GdiFlush();
    memcpy(Row(CellTop(to)), other.Row(CellTop(from)), 75 * kStride);
}

void CThumbStrip::PutCellPixels(long to, const uint8_t* pixels) {
    if (to < 0 || to >= cells_ || !pixels) return;
    GdiFlush();
    memcpy(Row(CellTop(to)), pixels, 75 * kStride);
}

bool CThumbStrip::DrawIntoCell(Gdiplus::Image& image, long to, int width, int height) {
    if (to < 0 || to >= cells_ || width < 1 || width > 100 || height < 1 || height > 75) return false;
    // GDI+ draws onto a bitmap over the cell's own rows, so nothing can
    // spill into the neighbouring cells.
    Gdiplus::Bitmap cell(100, 75, kStride, PixelFormat24bppRGB, Row(CellTop(to)));
    Gdiplus::Graphics g(&cell);
    if (g.GetLastStatus() != Gdiplus::Ok) return false;
    g.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
    g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHighQuality);
    Gdiplus::ImageAttributes edges;
    edges.SetWrapMode(Gdiplus::WrapModeTileFlipXY);  // no grey fringe at the borders
    const Gdiplus::Rect target(0, 0, width, height);
    return g.DrawImage(&image, target, 0, 0, static_cast<INT>(image.GetWidth()), static_cast<INT>(image.GetHeight()),
                       Gdiplus::UnitPixel, &edges) == Gdiplus::Ok;
}

bool CThumbStrip::LoadFrom(Gdiplus::Bitmap& image) {
    // A taller image is an index that lost its partial last record: the
    // cells of the full records still lead it, in order.
    if (image.GetWidth() != 100 || static_cast<int>(image.GetHeight()) < Height() || cells_ == 0) return false;
    for (const StripBand& band : StripBands(Height())) {
        Gdiplus::BitmapData data = {};
        data.Width = 100;
        data.Height = static_cast<UINT>(band.rows);
        data.Stride = kStride;
        data.PixelFormat = PixelFormat24bppRGB;
        data.Scan0 = Row(band.top);
        Gdiplus::Rect rect(0, band.top, 100, band.rows);
        if (image.LockBits(&rect, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf, PixelFormat24bppRGB,
                           &data) != Gdiplus::Ok) {
            return false;
        }
        image.UnlockBits(&data);
    }
    return true;
}

bool CThumbStrip::SaveJpeg(const std::wstring& path) const {
    if (cells_ == 0) return false;
    CLSID jpeg;
    if (!FindEncoder(L"image/jpeg", jpeg)) return false;
    GdiFlush();
    Gdiplus::Bitmap picture(100, Height(), kStride, PixelFormat24bppRGB, bits_);
    if (picture.GetLastStatus() != Gdiplus::Ok) return false;
    ULONG quality = 100;
    Gdiplus::EncoderParameters parameters;
    parameters.Count = 1;
    parameters.Parameter[0].Guid = Gdiplus::EncoderQuality;
    parameters.Parameter[0].Type = Gdiplus::EncoderParameterValueTypeLong;
    parameters.Parameter[0].NumberOfValues = 1;
    parameters.Parameter[0].Value = &quality;
    return picture.Save(path.c_str(), &jpeg, &parameters) == Gdiplus::Ok;
}

}  // namespace vimbrel::browser
