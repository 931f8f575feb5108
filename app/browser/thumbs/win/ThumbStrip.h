// The strip: one 100 x 75 cell per list entry, stacked top to bottom in a
// 24-bit top-down DIB section selected into a memory device context. An
// empty list has a valid strip with no rows (and no bitmap).
#pragma once

#include "winowners/GdiOwners.h"

#include <windows.h>
#include <gdiplus.h>

#include <cstdint>
#include <string>

namespace vimbrel::browser {

// A 100-pixel-wide, 24-bit, top-down DIB section of `rows` rows: the
// layout of the strip and of a video worker's frame alike (stride 300).
HBITMAP CreateStripDib(HDC dc, int rows, void** bits);

class CThumbStrip {
public:
    CThumbStrip() = default;
    ~CThumbStrip() { Release(); }
    CThumbStrip(const CThumbStrip&) = delete;
    CThumbStrip& operator=(const CThumbStrip&) = delete;

    // A strip of `cells` cells, all white. False (and no strip) on failure.
    bool Create(long cells);
    void Release();
    void Swap(CThumbStrip& other);

    bool Exists() const { return exists_; }
    long Cells() const { return cells_; }
    int Height() const { return static_cast<int>(cells_) * 75; }
    HDC Dc() const { return dc_.get(); }
    static constexpr int kStride = 300;  // 100 pixels x 3 bytes, already 4-aligned

    // The first byte of row `y` of the strip.
    uint8_t* Row(int y) const { return bits_ + static_cast<size_t>(y) * kStride; }

    // Copies cell `from` of another strip into cell `to` of this one.
    void CopyCellFrom(const CThumbStrip& other, long from, long to);
    // 100 x 75 top-down 24-bit pixels (stride 300) into cell `to`.
    void PutCellPixels(long to, const uint8_t* pixels);
    // Draws an image scaled to w x h at the top left of cell `to`.
    bool DrawIntoCell(Gdiplus::Image& image, long to, int width, int height);
    // Fills the strip from the top 100 x Height() of an image 100 wide and at
    // least that tall, band by band.
    bool LoadFrom(Gdiplus::Bitmap& image);
    // Saves the strip as a JPEG of quality 100.
    bool SaveJpeg(const std::wstring& path) const;

private:
    winowners::UniqueMemoryDC dc_;
    winowners::UniqueBitmap bitmap_;
    HGDIOBJ oldBitmap_ = nullptr;
    uint8_t* bits_ = nullptr;
    long cells_ = 0;
    bool exists_ = false;
};

}  // namespace vimbrel::browser
