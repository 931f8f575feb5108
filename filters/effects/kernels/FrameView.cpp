#include "kernels/FrameView.h"

#include <climits>
#include <algorithm>
#include <cstring>

namespace vimbrel::effects {

namespace {

uint64_t RowCount(int height) {
    return height < 0 ? static_cast<uint64_t>(-static_cast<int64_t>(height)) : static_cast<uint64_t>(height);
}

}  // namespace

bool MakeFrameView(uint8_t* buffer, std::size_t length, int width, int height, RgbFrame& out) {
    out = RgbFrame{};
    if (width <= 0 || height == 0 || height == INT_MIN) {
        return false;
    }
    const uint64_t rows = RowCount(height);
    const uint64_t packed = static_cast<uint64_t>(width) * 3;
    const uint64_t aligned = (packed + 3) & ~uint64_t{3};
    // Checked here in 64 bits so that the row size handed on fits.
    if (packed * rows > length) {
        return false;
    }
    const uint64_t rowBytes = aligned * rows <= length ? aligned : packed;
    return MakeFrameView(buffer, length, width, height, static_cast<std::size_t>(rowBytes), out);
}

bool MakeFrameView(uint8_t* buffer, std::size_t length, int width, int height, std::size_t rowBytes, RgbFrame& out) {
    out = RgbFrame{};
    if (buffer == nullptr || width <= 0 || height == 0 || height == INT_MIN) {
        return false;
    }
    const uint64_t rows = RowCount(height);
    const uint64_t packed = static_cast<uint64_t>(width) * 3;
    if (rowBytes < packed || (rows - 1) * rowBytes + packed > length) {
        return false;
    }
    out.width = width;
    out.height = static_cast<int>(rows);
    if (height > 0) {
        out.bits = buffer;
        out.stride = static_cast<std::ptrdiff_t>(rowBytes);
    } else {
        out.bits = buffer + (rows - 1) * rowBytes;
        out.stride = -static_cast<std::ptrdiff_t>(rowBytes);
    }
    return true;
}

RgbFrame PartOf(const RgbFrame& frame, const PixelArea& area) {
    RgbFrame part = frame;
    part.bits = frame.Row(area.y0) + 3 * static_cast<std::ptrdiff_t>(area.x0);
    part.width = area.width;
    part.height = area.height;
    return part;
}

CFrameCopy::CFrameCopy(const RgbFrame& frame, CScratch& scratch, int slot)
    : CFrameCopy(frame, scratch, slot, PixelArea{0, 0, frame.width, frame.height}) {}

CFrameCopy::CFrameCopy(const RgbFrame& frame, CScratch& scratch, int slot, const PixelArea& area)
    : rowBytes_(static_cast<std::size_t>(frame.width) * 3),
      data_(scratch.Bytes(slot, rowBytes_ * static_cast<std::size_t>(frame.height))) {
    const int x0 = std::max(area.x0, 0), x1 = std::min(area.x0 + area.width, frame.width);
    if (x1 <= x0) {
        return;
    }
    const std::size_t offset = static_cast<std::size_t>(x0) * 3, bytes = static_cast<std::size_t>(x1 - x0) * 3;
    for (int r = std::max(area.y0, 0); r < area.y0 + area.height && r < frame.height; ++r) {
        std::memcpy(data_ + static_cast<std::size_t>(r) * rowBytes_ + offset, frame.Row(r) + offset, bytes);
    }
}

}  // namespace vimbrel::effects
