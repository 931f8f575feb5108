#include "GdiSurface.h"

#include <cstring>
#include <utility>

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
    winowners::UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap) {
        return false;
    }
    return Select(std::move(bitmap));
}

bool CDibSurface::Adopt(HBITMAP bitmap) {
    Reset();
    return bitmap != nullptr && Select(winowners::UniqueBitmap(bitmap));
}

bool CDibSurface::Select(winowners::UniqueBitmap bitmap) {
    DIBSECTION section{};
    dc_.reset(CreateCompatibleDC(nullptr));
    if (!dc_ || GetObjectW(bitmap.get(), sizeof(section), &section) != sizeof(section) ||
        section.dsBm.bmBits == nullptr) {
        Reset();
        return false;
    }
    previous_ = SelectObject(dc_.get(), bitmap.get());
    bitmap_ = std::move(bitmap);
    bits_ = section.dsBm.bmBits;
    width_ = section.dsBm.bmWidth;
    height_ = section.dsBm.bmHeight;
    stride_ = static_cast<std::size_t>(section.dsBm.bmWidthBytes);
    return true;
}

void CDibSurface::Reset() {
    // The bitmap leaves its DC before either goes.
    if (dc_ && previous_ != nullptr) {
        SelectObject(dc_.get(), previous_);
    }
    dc_.reset();
    bitmap_.reset();
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
