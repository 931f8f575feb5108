#include "SyntheticFrames.h"

#include <algorithm>

namespace motion_test {

SyntheticFrame::SyntheticFrame(std::uint32_t width, std::uint32_t height)
    : width_(width), height_(height), bytes_(std::size_t(width) * height * 3, 0) {}

void SyntheticFrame::Fill(std::uint8_t blue, std::uint8_t green, std::uint8_t red) {
    FillRect(0, 0, width_, height_, blue, green, red);
}

void SyntheticFrame::FillRect(std::uint32_t x0, std::uint32_t y0, std::uint32_t x1, std::uint32_t y1, std::uint8_t blue,
                              std::uint8_t green, std::uint8_t red) {
    x1 = std::min(x1, width_);
    y1 = std::min(y1, height_);
    for (std::uint32_t y = y0; y < y1; ++y) {
        for (std::uint32_t x = x0; x < x1; ++x) {
            std::uint8_t* p = &bytes_[(std::size_t(y) * width_ + x) * 3];
            p[0] = blue;
            p[1] = green;
            p[2] = red;
        }
    }
}

void SyntheticFrame::WhiteBlocks(std::uint32_t b, std::uint32_t bx0, std::uint32_t by0, std::uint32_t bx1,
                                 std::uint32_t by1) {
    FillRect(bx0 * b, by0 * b, bx1 * b, by1 * b, 255, 255, 255);
}

void SyntheticFrame::AddNoise(std::uint32_t seed, int amplitude) {
    std::uint32_t state = seed ? seed : 1;
    for (std::uint8_t& v : bytes_) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        const int delta = static_cast<int>(state % (2u * amplitude + 1)) - amplitude;
        v = static_cast<std::uint8_t>(std::clamp(int(v) + delta, 0, 255));
    }
}

motion::Colour SyntheticFrame::Pixel(std::uint32_t x, std::uint32_t y) const {
    const std::uint8_t* p = &bytes_[(std::size_t(y) * width_ + x) * 3];
    return motion::Colour{p[0], p[1], p[2]};
}

bool SyntheticFrame::PixelIs(std::uint32_t x, std::uint32_t y, motion::Colour c) const {
    const motion::Colour p = Pixel(x, y);
    return p.blue == c.blue && p.green == c.green && p.red == c.red;
}

motion::BitmapInfoHeader SyntheticFrame::Header() const {
    return Rgb24Header(static_cast<std::int32_t>(width_), static_cast<std::int32_t>(height_));
}

motion::BitmapInfoHeader Rgb24Header(std::int32_t width, std::int32_t height) {
    motion::BitmapInfoHeader h{};
    h.biSize = 40;
    h.biWidth = width;
    h.biHeight = height;
    h.biPlanes = 1;
    h.biBitCount = 24;
    return h;
}

}  // namespace motion_test
