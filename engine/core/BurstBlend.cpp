#include "engine/core/BurstBlend.h"

#include <cstring>

namespace camera {

namespace {
// Larger frames than any camera delivers; keeps the size arithmetic exact.
constexpr int kMaxSide = 16384;

bool PlausibleSize(int width, int height) { return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide; }
}  // namespace

size_t DibStride(int width, int bitsPerPixel) {
    return ((static_cast<size_t>(width) * static_cast<size_t>(bitsPerPixel) + 31) / 32) * 4;
}

bool ToDibRows(const uint8_t* frame, size_t size, int width, int height, std::vector<uint8_t>& rows) {
    if (frame == nullptr || !PlausibleSize(width, height)) return false;
    const size_t packedRow = static_cast<size_t>(width) * 3;
    const size_t stride = DibStride(width, 24);
    const size_t rowCount = static_cast<size_t>(height);
    if (size == stride * rowCount) {
        rows.assign(frame, frame + size);
        return true;
    }
    if (size != packedRow * rowCount) return false;
    rows.assign(stride * rowCount, 0);
    for (size_t y = 0; y < rowCount; ++y) std::memcpy(&rows[y * stride], frame + y * packedRow, packedRow);
    return true;
}

BurstStep BurstStepOf(int frameNumber) {
    if (frameNumber == 0) return BurstStep::Start;
    return frameNumber == kBurstFrames - 1 ? BurstStep::Finish : BurstStep::Blend;
}

void CBurstAccumulator::Clear() {
    width_ = 0;
    height_ = 0;
    pixels_.clear();
}

void CBurstAccumulator::Start(const uint8_t* dibRows, int width, int height) {
    Clear();
    if (dibRows == nullptr || !PlausibleSize(width, height)) return;
    const size_t stride = DibStride(width, 24);
    pixels_.resize(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    uint8_t* out = pixels_.data();
    for (int y = 0; y < height; ++y) {
        const uint8_t* in = dibRows + static_cast<size_t>(y) * stride;
        for (int x = 0; x < width; ++x, in += 3, out += 4) {
            out[0] = in[0];
            out[1] = in[1];
            out[2] = in[2];
            out[3] = 255;
        }
    }
    width_ = width;
    height_ = height;
}

bool CBurstAccumulator::Blend(const uint8_t* dibRows, int width, int height) {
    if (Empty() || dibRows == nullptr || width != width_ || height != height_) return false;
    const size_t stride = DibStride(width, 24);
    uint8_t* out = pixels_.data();
    for (int y = 0; y < height; ++y) {
        const uint8_t* in = dibRows + static_cast<size_t>(y) * stride;
        for (int x = 0; x < width; ++x, in += 3, out += 4) {
            out[0] = ScreenBlend(out[0], in[0]);
            out[1] = ScreenBlend(out[1], in[1]);
            out[2] = ScreenBlend(out[2], in[2]);
            out[3] = 255;
        }
    }
    return true;
}

}  // namespace camera
