#include "GdiSurface.h"

#include <cstring>

namespace lenstint {

bool CDibSurface::Create(int width, int height, WORD bitCount) {
    Reset();
    if (width <= 0 || height <= 0) {
        return false;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // positive: rows bottom-up like the frames
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = bitCount;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr) {
        return false;
    }
    return Select(bitmap);
}

bool CDibSurface::Adopt(HBITMAP bitmap) {
    Reset();
    return bitmap != nullptr && Select(bitmap);
}

bool CDibSurface::Select(HBITMAP bitmap) {
    DIBSECTION section{};
    dc_ = CreateCompatibleDC(nullptr);
    if (dc_ == nullptr || GetObjectW(bitmap, sizeof(section), &section) != sizeof(section) ||
        section.dsBm.bmBits == nullptr) {
        DeleteObject(bitmap);
        Reset();
        return false;
    }
    previous_ = SelectObject(dc_, bitmap);
    bitmap_ = bitmap;
    bits_ = section.dsBm.bmBits;
    width_ = section.dsBm.bmWidth;
    height_ = section.dsBm.bmHeight;
    stride_ = static_cast<std::size_t>(section.dsBm.bmWidthBytes);
    return true;
}

void CDibSurface::Reset() {
    if (dc_ != nullptr) {
        if (previous_ != nullptr) {
            SelectObject(dc_, previous_);
        }
        DeleteDC(dc_);
    }
    if (bitmap_ != nullptr) {
        DeleteObject(bitmap_);
    }
    dc_ = nullptr;
    bitmap_ = nullptr;
    previous_ = nullptr;
    bits_ = nullptr;
    width_ = height_ = 0;
    stride_ = 0;
}

CDibSurface* CFrameSurface::Prepare(int width, int height) {
    if (!surface_.Valid() || surface_.Width() != width || surface_.Height() != height) {
        if (!surface_.Create(width, height, 24)) {
            return nullptr;
        }
    }
    GdiFlush();
    return &surface_;
}

CDibSurface* CFrameSurface::Load(const vimbrel::effects::RgbFrame& frame) {
    CDibSurface* surface = Prepare(frame.width, frame.height);
    if (surface == nullptr) {
        return nullptr;
    }
    const std::size_t rowBytes = static_cast<std::size_t>(frame.width) * 3;
    for (int r = 0; r < frame.height; ++r) {
        std::memcpy(surface->Row(r), frame.Row(r), rowBytes);
    }
    return surface;
}

void CFrameSurface::Store(const vimbrel::effects::RgbFrame& frame) const {
    GdiFlush();  // drawing into the section must be finished before reading it
    const std::size_t rowBytes = static_cast<std::size_t>(frame.width) * 3;
    for (int r = 0; r < frame.height; ++r) {
        std::memcpy(frame.Row(r), surface_.Row(r), rowBytes);
    }
}

}  // namespace lenstint
