#include "SkinMask.h"

#include <cstring>

namespace vimbrel::ui {

MaskView CSkinMask::View() const {
    MaskView view;
    view.width = width_;
    view.height = height_;
    view.top = pixels_.data();
    view.stride = static_cast<std::ptrdiff_t>(width_) * 4;
    return view;
}

std::optional<CSkinMask> CSkinMask::FromBitmap(Gdiplus::Bitmap& bitmap) {
    if (!SizeAllowed(bitmap.GetWidth(), bitmap.GetHeight())) return std::nullopt;
    const int width = static_cast<int>(bitmap.GetWidth());
    const int height = static_cast<int>(bitmap.GetHeight());
    Gdiplus::Rect all(0, 0, width, height);
    Gdiplus::BitmapData data{};
    if (bitmap.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppRGB, &data) != Gdiplus::Ok) {
        return std::nullopt;
    }
    CSkinMask mask(width, height);
    const auto* source = static_cast<const uint8_t*>(data.Scan0);
    for (int y = 0; y < height; ++y) {
        std::memcpy(&mask.pixels_[size_t(y) * width * 4], source + std::ptrdiff_t(y) * data.Stride, size_t(width) * 4);
    }
    bitmap.UnlockBits(&data);
    return mask;
}

std::optional<CSkinMask> CSkinMask::FromHBitmap(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || GetObjectW(bitmap, sizeof(info), &info) != sizeof(info)) return std::nullopt;
    const int width = info.bmWidth;
    const int height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    if (!SizeAllowed(width, height)) return std::nullopt;

    void* bits = nullptr;
    winowners::UniqueBitmap dib = CreateDib32(nullptr, width, height, &bits);
    if (!dib) return std::nullopt;

    winowners::UniqueMemoryDC target(CreateCompatibleDC(nullptr));
    winowners::UniqueMemoryDC source(CreateCompatibleDC(nullptr));
    if (!target || !source) return std::nullopt;
    {
        winowners::UniqueSelection selectTarget(target.get(), dib.get());
        winowners::UniqueSelection selectSource(source.get(), bitmap);
        if (!selectTarget || !selectSource) return std::nullopt;
        if (!BitBlt(target.get(), 0, 0, width, height, source.get(), 0, 0, SRCCOPY)) return std::nullopt;
        GdiFlush();
    }

    CSkinMask mask(width, height);
    const auto* rows = static_cast<const uint8_t*>(bits);
    const size_t stride = size_t(width) * 4;
    for (int y = 0; y < height; ++y) {
        // Bottom-up: image row y is memory row height - 1 - y.
        std::memcpy(&mask.pixels_[size_t(y) * stride], rows + size_t(height - 1 - y) * stride, stride);
    }
    return mask;
}

winowners::UniqueBitmap CreateDib32(HDC dc, int width, int height, void** bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    *bits = nullptr;
    winowners::UniqueBitmap dib(CreateDIBSection(dc, &info, DIB_RGB_COLORS, bits, nullptr, 0));
    if (!*bits) dib.reset();
    return dib;
}

winowners::UniqueRegion CSkinMask::Region(Colour colour, RegionMode mode) const {
    return RegionFromRuns(RunsFromPixels(View(), colour, mode));
}

winowners::UniqueRegion RegionFromRuns(const std::vector<RunBlock>& blocks) {
    winowners::UniqueRegion result;
    std::vector<uint8_t> buffer;
    for (const RunBlock& block : blocks) {
        winowners::UniqueRegion part;
        if (block.rects.empty()) {
            part.reset(CreateRectRgn(0, 0, 0, 0));
        } else {
            const size_t rectBytes = block.rects.size() * sizeof(RECT);
            buffer.assign(sizeof(RGNDATAHEADER) + rectBytes, 0);
            auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
            data->rdh.dwSize = sizeof(RGNDATAHEADER);
            data->rdh.iType = RDH_RECTANGLES;
            data->rdh.nCount = static_cast<DWORD>(block.rects.size());
            data->rdh.nRgnSize = static_cast<DWORD>(rectBytes);
            data->rdh.rcBound = {block.bounds.left, block.bounds.top, block.bounds.right, block.bounds.bottom};
            auto* rects = reinterpret_cast<RECT*>(data->Buffer);
            for (size_t i = 0; i < block.rects.size(); ++i) {
                const PixelRect& r = block.rects[i];
                rects[i] = {r.left, r.top, r.right, r.bottom};
            }
            part.reset(ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()), data));
        }
        if (!part) return winowners::UniqueRegion();
        if (!result) {
            result = std::move(part);
        } else if (CombineRgn(result.get(), result.get(), part.get(), RGN_OR) == ERROR) {
            return winowners::UniqueRegion();
        }
    }
    return result;
}

HRGN BitmapToRegion(HBITMAP bitmap, COLORREF colour, int mode) {
    std::optional<CSkinMask> mask = CSkinMask::FromHBitmap(bitmap);
    if (!mask) return nullptr;
    RegionMode how = mode == 0 ? RegionMode::SameColour : RegionMode::OtherColour;
    return mask->Region(static_cast<Colour>(colour & 0xFFFFFF), how).release();
}

}  // namespace vimbrel::ui
