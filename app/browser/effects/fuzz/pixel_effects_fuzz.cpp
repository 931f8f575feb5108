// Random sizes, effect numbers, buffer lengths and random numbers: the
// effects must refuse what does not fit and stay inside what does.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "effects/PixelEffects.h"

namespace {

// Plays the fuzzer's bytes back as random numbers, then zeros.
class CByteRandom final : public vimbrel::browser::IRandomSource {
public:
    CByteRandom(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    int Next() override {
        if (position_ + 2 > size_) return 0;
        const int v = (data_[position_] << 8 | data_[position_ + 1]) - 0x100;  // now and then below zero
        position_ += 2;
        return v;
    }

private:
    const uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

int TakeInt(const uint8_t*& data, std::size_t& size) {
    int v = 0;
    if (size >= 2) {
        v = static_cast<int8_t>(data[0]) * 256 + data[1];
        data += 2;
        size -= 2;
    }
    return v;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const int effectId = TakeInt(data, size) % 40;
    // Sizes mostly small, sometimes negative or far larger than the buffer.
    const int width = TakeInt(data, size) % 300;
    const int height = TakeInt(data, size) % 300;
    const int shortBy = TakeInt(data, size) & 0xFF;
    std::size_t length = 0;
    if (width > 0 && height > 0) {
        length = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
        length = length > static_cast<std::size_t>(shortBy) && shortBy < 8 ? length - static_cast<std::size_t>(shortBy)
                                                                           : length;
    }
    std::vector<uint8_t> pixels(length);
    for (std::size_t i = 0; i < length; ++i) pixels[i] = size ? data[i % size] : static_cast<uint8_t>(i);
    CByteRandom random(data, size);
    const bool done = vimbrel::browser::RunPixelEffect(effectId, pixels.data(), pixels.size(), width, height, random);
    const bool fits = width > 0 && height > 0 &&
                      static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4 <= pixels.size();
    if (done && (!fits || !vimbrel::browser::IsCanvasEffect(effectId))) {
        __builtin_trap();  // accepted a picture it should have refused
    }
    return 0;
}
