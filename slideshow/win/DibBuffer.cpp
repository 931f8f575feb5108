#include "DibBuffer.h"

namespace slideshow {

std::unique_ptr<CDibBuffer> CDibBuffer::Create(HDC compatibleWith, int width, int height) {
    if (width <= 0 || height <= 0) return nullptr;
    std::unique_ptr<CDibBuffer> buffer(new CDibBuffer());
    buffer->dc_.reset(CreateCompatibleDC(compatibleWith));
    if (!buffer->dc_) return nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down: row 0 first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    buffer->bitmap_.reset(CreateDIBSection(buffer->dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!buffer->bitmap_ || !bits) return nullptr;
    buffer->displaced_ = SelectObject(buffer->dc_.get(), buffer->bitmap_.get());
    if (!buffer->displaced_ || buffer->displaced_ == HGDI_ERROR) return nullptr;
    buffer->bits_ = static_cast<std::uint8_t*>(bits);
    buffer->width_ = width;
    buffer->height_ = height;
    return buffer;
}

CDibBuffer::~CDibBuffer() {
    // The bitmap must leave its context before either can go.
    if (dc_ && displaced_ && displaced_ != HGDI_ERROR) SelectObject(dc_.get(), displaced_);
}

PlaneRef CDibBuffer::PlaneAt(int x, int y) const {
    const std::ptrdiff_t stride = static_cast<std::ptrdiff_t>(width_) * 4;
    return PlaneRef{bits_ + y * stride + static_cast<std::ptrdiff_t>(x) * 4, stride};
}

void FillBlack(HDC dc, int x, int y, int width, int height) {
    if (width <= 0 || height <= 0) return;
    RECT area{x, y, x + width, y + height};
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

}  // namespace slideshow
