#pragma once
// An RGB24 picture as the effect stages see it, and a scratch copy of one.

#include <cstddef>
#include <cstdint>
#include "kernels/Scratch.h"

namespace vimbrel::effects {

// Pixels are three bytes in blue, green, red order. Row 0 is the bottom row of
// the picture and Row(r + 1) the row above it, whatever the memory order: a
// top-down buffer is described with a negative stride, so every stage sees the
// same orientation.
struct RgbFrame {
    uint8_t* bits = nullptr;  // first byte of row 0
    int width = 0;
    int height = 0;
    std::ptrdiff_t stride = 0;  // bytes from row r to row r + 1

    uint8_t* Row(int r) const { return bits + static_cast<std::ptrdiff_t>(r) * stride; }
    bool Empty() const { return bits == nullptr || width <= 0 || height <= 0; }
};

// A rectangle of pixels: columns x0 .. x0 + width - 1 of rows y0 .. y0 + height - 1.
struct PixelArea {
    int x0 = 0;
    int y0 = 0;
    int width = 0;
    int height = 0;
};

// The area as a frame of its own, sharing the pixels; the area must lie
// inside the frame.
RgbFrame PartOf(const RgbFrame& frame, const PixelArea& area);

// Describes a sample buffer holding `length` valid bytes of a picture whose
// header says width x height (negative height: top-down rows). Rows are taken
// as 4-byte aligned like every DIB when the buffer is large enough for that,
// else as packed rows of width x 3 bytes. Refuses (false) a zero or negative
// width, a zero height and a buffer too small for either layout, so no stage
// ever reads or writes past the sample.
bool MakeFrameView(uint8_t* buffer, std::size_t length, int width, int height, RgbFrame& out);

// The same with the rows rowBytes apart, as the filter finds them in a
// sample; only the last row need not hold more than its pixels.
bool MakeFrameView(uint8_t* buffer, std::size_t length, int width, int height, std::size_t rowBytes, RgbFrame& out);

// A packed copy of a frame's pixels in a scratch slot, taken before a stage
// that reads the incoming picture while it writes the outgoing one.
class CFrameCopy {
public:
    CFrameCopy(const RgbFrame& frame, CScratch& scratch, int slot);
    // Only the area (inside the frame) is copied; a stage that reads nothing
    // else (a zoom's crop) saves copying the rest. Rows and pixels keep their
    // frame coordinates.
    CFrameCopy(const RgbFrame& frame, CScratch& scratch, int slot, const PixelArea& area);

    const uint8_t* Row(int r) const { return data_ + static_cast<std::size_t>(r) * rowBytes_; }
    const uint8_t* Pixel(int column, int r) const { return Row(r) + static_cast<std::size_t>(column) * 3; }

private:
    std::size_t rowBytes_;
    uint8_t* data_;
};

inline uint8_t ClampByte(int v) { return static_cast<uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v)); }

}  // namespace vimbrel::effects
