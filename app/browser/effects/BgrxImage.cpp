#include "effects/BgrxImage.h"

#include <cstring>
#include <limits>

namespace vimbrel::browser {

bool MakeBgrxImage(uint8_t* buffer, std::size_t length, int width, int height, BgrxImage& out) {
    if (buffer == nullptr || width <= 0 || height <= 0) {
        return false;
    }
    const std::size_t w = static_cast<std::size_t>(width);
    const std::size_t h = static_cast<std::size_t>(height);
    // Every scratch plane an effect makes is at most one int per pixel, so a
    // picture whose bytes fit in a size_t never overflows those either.
    if (w > std::numeric_limits<std::size_t>::max() / 4 / h) {
        return false;
    }
    if (w * h * 4 > length) {
        return false;
    }
    out.bits = buffer;
    out.width = width;
    out.height = height;
    return true;
}

CPictureCopy::CPictureCopy(const BgrxImage& image)
    : rowBytes_(image.RowBytes()),
      pixels_(image.bits, image.bits + image.RowBytes() * static_cast<std::size_t>(image.height)) {}

}  // namespace vimbrel::browser
