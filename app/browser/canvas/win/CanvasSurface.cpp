#include "CanvasSurface.h"

#include <cstring>

namespace vimbrel::canvas {

CCanvasSurface::~CCanvasSurface() { Reset(); }

void CCanvasSurface::Reset() {
    graphics_.reset();
    if (dc_ && oldBitmap_) SelectObject(dc_.get(), oldBitmap_);
    oldBitmap_ = nullptr;
    bitmap_.reset();
    dc_.reset();
    bits_ = nullptr;
    width_ = height_ = 0;
}

bool CCanvasSurface::Create(int width, int height) {
    Reset();
    if (width <= 0 || height <= 0 || width > 0x7FFF || height > 0x7FFF) return false;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom-up
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    winowners::UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return false;
    winowners::UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
    if (!dc) return false;
    oldBitmap_ = SelectObject(dc.get(), bitmap.get());
    if (!oldBitmap_ || oldBitmap_ == HGDI_ERROR) {
        oldBitmap_ = nullptr;
        return false;
    }
    dc_ = std::move(dc);
    bitmap_ = std::move(bitmap);
    bits_ = bits;
    width_ = width;
    height_ = height;
    return true;
}

uint32_t CCanvasSurface::PixelAt(int x, int y) const {
    if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    uint32_t value = 0;
    std::memcpy(&value, Bits() + (static_cast<size_t>(height_ - 1 - y) * width_ + x) * 4, 4);
    return value & 0x00FFFFFFu;
}

Gdiplus::Graphics* CCanvasSurface::Graphics() {
    if (!dc_) return nullptr;
    if (!graphics_) {
        graphics_ = std::make_unique<Gdiplus::Graphics>(dc_.get());
        if (graphics_->GetLastStatus() != Gdiplus::Ok) {
            graphics_.reset();
            return nullptr;
        }
        if (highQualityOffset_) graphics_->SetPixelOffsetMode(Gdiplus::PixelOffsetModeHighQuality);
    }
    return graphics_.get();
}

void CCanvasSurface::Flush() {
    if (graphics_) graphics_->Flush(Gdiplus::FlushIntentionSync);
    GdiFlush();
}

bool CCanvasSurface::CopyFrom(CCanvasSurface& source) {
    if (!Ok() || !source.Ok() || source.width_ != width_ || source.height_ != height_) return false;
    source.Flush();
    Flush();
    std::memcpy(bits_, source.bits_, ByteSize());
    return true;
}

void CCanvasSurface::Fill(const RECT& rect, COLORREF colour) {
    if (!dc_) return;
    Flush();
    winowners::UniqueBrush brush(CreateSolidBrush(colour));
    if (brush) FillRect(dc_.get(), &rect, brush.get());
}

}  // namespace vimbrel::canvas
