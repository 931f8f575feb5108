// Bottom-up RGB24 test frames without row padding, as the detector reads
// them: rows of exactly width x 3 bytes, blue, green, red.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "MotionTypes.h"

namespace motion_test {

class SyntheticFrame {
public:
    SyntheticFrame(std::uint32_t width, std::uint32_t height);

    std::uint32_t Width() const { return width_; }
    std::uint32_t Height() const { return height_; }
    std::uint8_t* Data() { return bytes_.data(); }
    const std::uint8_t* Data() const { return bytes_.data(); }
    std::size_t Bytes() const { return bytes_.size(); }

    void Fill(std::uint8_t blue, std::uint8_t green, std::uint8_t red);
    // Columns [x0, x1) of buffer rows [y0, y1).
    void FillRect(std::uint32_t x0, std::uint32_t y0, std::uint32_t x1, std::uint32_t y1, std::uint8_t blue,
                  std::uint8_t green, std::uint8_t red);
    // Reduced-picture blocks [bx0, bx1) x [by0, by1) of block size b, white.
    void WhiteBlocks(std::uint32_t b, std::uint32_t bx0, std::uint32_t by0, std::uint32_t bx1, std::uint32_t by1);
    // Seeded noise of +-amplitude on every channel around the current values.
    void AddNoise(std::uint32_t seed, int amplitude);

    motion::Colour Pixel(std::uint32_t x, std::uint32_t y) const;
    bool PixelIs(std::uint32_t x, std::uint32_t y, motion::Colour c) const;

    motion::BitmapInfoHeader Header() const;

private:
    std::uint32_t width_;
    std::uint32_t height_;
    std::vector<std::uint8_t> bytes_;
};

motion::BitmapInfoHeader Rgb24Header(std::int32_t width, std::int32_t height);

}  // namespace motion_test
