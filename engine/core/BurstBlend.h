// The burst picture: five frames laid over each other with the screen
// blend, which brightens wherever any frame is bright (black stays black,
// white stays white). Frames are RGB24 device-independent bitmaps; the
// blend keeps 32-bit pixels (blue, green, red, 255) in the same row order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace camera {

// 255 - floor((255 - a) * (255 - b) / 255)
constexpr uint8_t ScreenBlend(uint8_t a, uint8_t b) { return static_cast<uint8_t>(255 - (255 - a) * (255 - b) / 255); }

// Bytes per row of a device-independent bitmap: rows end on 4 bytes.
size_t DibStride(int width, int bitsPerPixel);

// Turns a frame buffer into DIB rows. The buffer may hold rows packed
// (width x 3 bytes each) or already padded; anything else, and sizes that
// make no picture, are refused.
bool ToDibRows(const uint8_t* frame, size_t size, int width, int height, std::vector<uint8_t>& rows);

// Which call of the burst a frame is: the first starts the picture, the
// last finishes it, the ones between blend into it.
enum class BurstStep { Start = 0, Blend = 1, Finish = 2 };
constexpr int kBurstFrames = 5;
constexpr unsigned kBurstFrameGapMs = 100;
BurstStep BurstStepOf(int frameNumber);

class CBurstAccumulator {
public:
    void Clear();
    bool Empty() const { return pixels_.empty(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // 32-bit pixels, rows in the order of the frames' rows.
    const std::vector<uint8_t>& Pixels() const { return pixels_; }

    // dibRows: RGB24 rows padded as DibStride says.
    void Start(const uint8_t* dibRows, int width, int height);
    // False (and nothing changes) without a start or for another size.
    bool Blend(const uint8_t* dibRows, int width, int height);

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<uint8_t> pixels_;
};

}  // namespace camera
