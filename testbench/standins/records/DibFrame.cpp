#include "DibFrame.h"

#include "ByteOrder.h"

#include <cstring>

namespace standins {

uint64_t DibStride(int64_t width) { return (static_cast<uint64_t>(width) * 3 + 3) & ~static_cast<uint64_t>(3); }

uint32_t PackedDibSize(int64_t width, int64_t height) {
    if (width <= 0 || height <= 0 || width > INT32_MAX || height > INT32_MAX) {
        return 0;
    }
    // At most about 6.4e9 x 2.1e9: no overflow in 64 bits.
    const uint64_t total = DibStride(width) * static_cast<uint64_t>(height) + kDibHeaderSize;
    if (total > INT32_MAX) {
        return 0;
    }
    return static_cast<uint32_t>(total);
}

bool ViewStoredFrame(const VideoLayout& layout, const uint8_t* data, size_t size, Rgb24View* view) {
    if (!IsUncompressedRgb24(layout) || layout.width <= 0 || layout.height <= 0) {
        return false;
    }
    const uint64_t rows = static_cast<uint64_t>(layout.height);
    const uint64_t padded = DibStride(layout.width);
    const uint64_t packed = static_cast<uint64_t>(layout.width) * 3;
    uint64_t stride = 0;
    if (size / rows >= padded) {
        stride = padded;
    } else if (size / rows >= packed) {
        stride = packed;
    } else {
        return false;
    }
    view->pixels = data;
    view->width = layout.width;
    view->height = layout.height;
    view->stride = static_cast<size_t>(stride);
    view->bottomUp = layout.bottomUp;
    return true;
}

void WritePackedDib(const Rgb24View& source, int32_t width, int32_t height, uint8_t* dib) {
    const uint64_t stride = DibStride(width);
    std::vector<uint8_t> header;
    AppendLe32(header, kDibHeaderSize);
    AppendLe32(header, static_cast<uint32_t>(width));
    AppendLe32(header, static_cast<uint32_t>(height));  // positive: bottom-up
    AppendLe16(header, 1);                              // planes
    AppendLe16(header, 24);
    AppendLe32(header, 0);  // BI_RGB
    AppendLe32(header, static_cast<uint32_t>(stride * static_cast<uint64_t>(height)));
    AppendLe32(header, 0);
    AppendLe32(header, 0);
    AppendLe32(header, 0);
    AppendLe32(header, 0);
    std::memcpy(dib, header.data(), kDibHeaderSize);

    uint8_t* pixels = dib + kDibHeaderSize;
    for (int32_t row = 0; row < height; ++row) {
        // row counts from the top of the picture; DIB rows are stored from
        // the bottom.
        uint8_t* target = pixels + static_cast<size_t>(height - 1 - row) * stride;
        const int64_t sourceRow = static_cast<int64_t>(row) * source.height / height;
        const int64_t storedRow = source.bottomUp ? source.height - 1 - sourceRow : sourceRow;
        const uint8_t* line = source.pixels + static_cast<size_t>(storedRow) * source.stride;
        for (int32_t x = 0; x < width; ++x) {
            const int64_t sourceX = static_cast<int64_t>(x) * source.width / width;
            std::memcpy(target + static_cast<size_t>(x) * 3, line + sourceX * 3, 3);
        }
        std::memset(target + static_cast<size_t>(width) * 3, 0,
                    static_cast<size_t>(stride) - static_cast<size_t>(width) * 3);
    }
}

}  // namespace standins
