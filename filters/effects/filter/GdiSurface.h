// GDI objects the overlays and the stretch zoom draw with, each with one
// owner: a bitmap selected into its own memory device context.
#pragma once

#include "winowners/GdiOwners.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "kernels/FrameView.h"

namespace lenstint {

class CDibSurface {
public:
    CDibSurface() = default;
    ~CDibSurface() { Reset(); }
    CDibSurface(const CDibSurface&) = delete;
    CDibSurface& operator=(const CDibSurface&) = delete;

    // A new DIB section of width x height (rows bottom-up) in a memory DC
    // compatible with the screen. False, and empty, when GDI refuses.
    bool Create(int width, int height, WORD bitCount);
    // Takes over a bitmap made elsewhere (a DIB section) and selects it.
    bool Adopt(HBITMAP bitmap);
    void Reset();

    bool Valid() const { return static_cast<bool>(bitmap_); }
    HDC Dc() const { return dc_.get(); }
    uint8_t* Bits() const { return static_cast<uint8_t*>(bits_); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    std::size_t Stride() const { return stride_; }
    // Row r counted from the bottom of the picture, as in the frames.
    uint8_t* Row(int r) const { return Bits() + static_cast<std::size_t>(r) * stride_; }

private:
    bool Select(winowners::UniqueBitmap bitmap);

    winowners::UniqueMemoryDC dc_;
    winowners::UniqueBitmap bitmap_;
    HGDIOBJ previous_ = nullptr;
    void* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    std::size_t stride_ = 0;
};

// A 24-bit surface the size of the video frames, kept while the size stays;
// frames go in and out row by row because DIB rows are 4-byte aligned.
class CFrameSurface {
public:
    // The surface for frames of this size; null when GDI refuses one.
    CDibSurface* Prepare(int width, int height);
    // Prepare plus a copy of the frame.
    CDibSurface* Load(const vimbrel::effects::RgbFrame& frame);
    // The surface's picture back into the frame (same size).
    void Store(const vimbrel::effects::RgbFrame& frame) const;

private:
    CDibSurface surface_;
};

}  // namespace lenstint
