// A drawing buffer the slide show can both draw into with GDI/GDI+ and read
// and write pixel by pixel: a 32-bit top-down DIB section selected into its
// own memory device context.
#pragma once

#include "PixelBlend.h"

#include "winowners/GdiOwners.h"

#include <windows.h>

#include <cstdint>
#include <memory>

namespace slideshow {

class CDibBuffer {
public:
    // Null when the context or the bitmap cannot be made.
    static std::unique_ptr<CDibBuffer> Create(HDC compatibleWith, int width, int height);
    ~CDibBuffer();
    CDibBuffer(const CDibBuffer&) = delete;
    CDibBuffer& operator=(const CDibBuffer&) = delete;

    HDC Dc() const { return dc_.get(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // The pixels at (x, y) as a plane for the row functions. GDI batches its
    // drawing: call GdiFlush before reading what it drew.
    PlaneRef PlaneAt(int x, int y) const;

private:
    CDibBuffer() = default;
    // Declared in this order so that the bitmap goes before its context.
    winowners::UniqueMemoryDC dc_;
    winowners::UniqueBitmap bitmap_;
    HGDIOBJ displaced_ = nullptr;
    std::uint8_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

// Fills a rectangle of a device context with opaque black.
void FillBlack(HDC dc, int x, int y, int width, int height);

}  // namespace slideshow
