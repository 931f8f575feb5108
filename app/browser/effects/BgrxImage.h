#pragma once
// The photo editor's working copy of a picture: 4 bytes a pixel in blue,
// green, red order plus a fourth byte that no effect touches, rows packed
// without padding, bottom row first (buffer row y + 1 lies above row y).

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vimbrel::browser {

struct BgrxImage {
    uint8_t* bits = nullptr;  // first byte of buffer row 0, the picture's bottom row
    int width = 0;
    int height = 0;

    std::size_t RowBytes() const { return static_cast<std::size_t>(width) * 4; }
    std::size_t PixelCount() const { return static_cast<std::size_t>(width) * static_cast<std::size_t>(height); }
    uint8_t* Row(int y) const { return bits + static_cast<std::size_t>(y) * RowBytes(); }
    uint8_t* Pixel(int x, int y) const { return Row(y) + static_cast<std::size_t>(x) * 4; }
};

// Describes `length` bytes as a width x height picture. Refuses a null
// buffer, a width or height that is not positive, and a size whose rows do
// not fit in `length` (checked before the product can wrap), so that no
// effect ever reads or writes outside the caller's buffer.
bool MakeBgrxImage(uint8_t* buffer, std::size_t length, int width, int height, BgrxImage& out);

// The unprocessed picture, for effects whose pixels read neighbours that
// the same pass has already rewritten. Made before the first write, so a
// failed allocation leaves the picture as it was.
class CPictureCopy {
public:
    explicit CPictureCopy(const BgrxImage& image);

    const uint8_t* Row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * rowBytes_; }
    const uint8_t* Pixel(int x, int y) const { return Row(y) + static_cast<std::size_t>(x) * 4; }

private:
    std::size_t rowBytes_;
    std::vector<uint8_t> pixels_;
};

inline uint8_t ClampByte(int v) { return static_cast<uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v)); }

// The editor's usual gray, (59 G + 30 R + 11 B) / 100.
inline int GrayOf(const uint8_t* bgrx) { return (59 * bgrx[1] + 30 * bgrx[2] + 11 * bgrx[0]) / 100; }

// The coarser gray that edge detection and oil painting rank by,
// R / 4 + G / 2 + B / 8 with each term truncated on its own (0..221).
inline int CoarseGrayOf(const uint8_t* bgrx) { return bgrx[2] / 4 + bgrx[1] / 2 + bgrx[0] / 8; }

}  // namespace vimbrel::browser
