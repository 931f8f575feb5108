// A 32-bit picture in a memory device context: the canvas's view buffer,
// its full-size copy and the undo ring's copies. The pixels are a
// bottom-up DIB section (blue, green, red, unused), the layout the pixel
// effects work on, so an effect needs no conversion.
#pragma once

#include "winowners/GdiOwners.h"

#include <windows.h>
#include <gdiplus.h>

#include <cstdint>
#include <memory>

namespace vimbrel::canvas {

class CCanvasSurface {
public:
    CCanvasSurface() = default;
    ~CCanvasSurface();
    CCanvasSurface(const CCanvasSurface&) = delete;
    CCanvasSurface& operator=(const CCanvasSurface&) = delete;

    // Drops any old picture; false (and empty) when the memory is not there.
    bool Create(int width, int height);
    void Reset();

    bool Ok() const { return bits_ != nullptr; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    HDC Dc() const { return dc_.get(); }
    // Buffer row 0 is the bottom row of the picture.
    uint8_t* Bits() const { return static_cast<uint8_t*>(bits_); }
    size_t ByteSize() const { return static_cast<size_t>(width_) * height_ * 4; }
    // The pixel at (x, y) counted from the top left, as 0x00RRGGBB.
    uint32_t PixelAt(int x, int y) const;

    // A GDI+ surface over the DC, made on first use. `highQualityOffset`
    // puts pixel centres at half coordinates, as scaled drawing wants.
    Gdiplus::Graphics* Graphics();
    void SetHighQualityPixelOffset(bool on) { highQualityOffset_ = on; }
    // Finishes pending GDI+ and GDI drawing so the bits can be read.
    void Flush();

    // Same-size copy of every pixel; false when the sizes differ.
    bool CopyFrom(CCanvasSurface& source);
    void Fill(const RECT& rect, COLORREF colour);

private:
    winowners::UniqueMemoryDC dc_;
    winowners::UniqueBitmap bitmap_;
    HGDIOBJ oldBitmap_ = nullptr;
    void* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    bool highQualityOffset_ = false;
    std::unique_ptr<Gdiplus::Graphics> graphics_;
};

}  // namespace vimbrel::canvas
