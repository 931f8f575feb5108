#include "ImageGeometry.h"

namespace imagegeometry {

bool RowStride(int32_t width, uint16_t bitCount, uint32_t* stride) {
    if (width <= 0 || bitCount == 0 || stride == nullptr) {
        return false;
    }
    const uint64_t bits = static_cast<uint64_t>(width) * bitCount;
    const uint64_t bytes = ((bits + 31) / 32) * 4;
    if (bytes > UINT32_MAX) {
        return false;
    }
    *stride = static_cast<uint32_t>(bytes);
    return true;
}

bool FrameBytes(int32_t width, int32_t height, uint16_t bitCount, uint32_t* bytes) {
    uint32_t stride = 0;
    if (height == 0 || bytes == nullptr || !RowStride(width, bitCount, &stride)) {
        return false;
    }
    // INT32_MIN has no positive counterpart in int32_t; widen first.
    const uint64_t rows = height < 0 ? static_cast<uint64_t>(-static_cast<int64_t>(height))
                                     : static_cast<uint64_t>(height);
    const uint64_t total = rows * stride;
    if (total > UINT32_MAX) {
        return false;
    }
    *bytes = static_cast<uint32_t>(total);
    return true;
}

bool SampleRowStride(int32_t width, int32_t height, uint16_t bitCount, uint64_t length, uint32_t* stride) {
    uint32_t padded = 0;
    if (height == 0 || stride == nullptr || !RowStride(width, bitCount, &padded)) {
        return false;
    }
    const uint64_t rows = height < 0 ? static_cast<uint64_t>(-static_cast<int64_t>(height))
                                     : static_cast<uint64_t>(height);
    const uint64_t lastRow = (static_cast<uint64_t>(width) * bitCount + 7) / 8;
    if ((rows - 1) * padded + lastRow > length) {
        return false;
    }
    *stride = padded;
    return true;
}

}  // namespace imagegeometry
