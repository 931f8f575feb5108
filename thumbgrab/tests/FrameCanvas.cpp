#include "FrameCanvas.h"

#include <cstring>

namespace snapframetest {

CFrameCanvas::CFrameCanvas(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    dc_ = CreateCompatibleDC(nullptr);
    if (bitmap_ != nullptr && dc_ != nullptr) {
        previous_ = SelectObject(dc_, bitmap_);
        bits_ = static_cast<uint8_t*>(bits);
    }
}

CFrameCanvas::~CFrameCanvas() {
    if (previous_ != nullptr) {
        SelectObject(dc_, previous_);
    }
    if (dc_ != nullptr) {
        DeleteDC(dc_);
    }
    if (bitmap_ != nullptr) {
        DeleteObject(bitmap_);
    }
}

void CFrameCanvas::Fill(uint8_t value) {
    GdiFlush();
    std::memset(bits_, value, static_cast<size_t>(width_) * height_ * 4);
}

uint8_t CFrameCanvas::Channel(int x, int y, int c) const {
    GdiFlush();
    return bits_[(static_cast<size_t>(y) * width_ + x) * 4 + c];
}

}  // namespace snapframetest
