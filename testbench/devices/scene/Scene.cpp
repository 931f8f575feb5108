#include "Scene.h"

#include <cmath>
#include <cstring>

namespace benchscene {
namespace {

constexpr uint8_t kBarLevel = 192;
constexpr Rgb kBars[8] = {
    {kBarLevel, kBarLevel, kBarLevel}, {kBarLevel, kBarLevel, 0}, {0, kBarLevel, kBarLevel}, {0, kBarLevel, 0},
    {kBarLevel, 0, kBarLevel},         {kBarLevel, 0, 0},         {0, 0, kBarLevel},         {0, 0, 0},
};

// Larger pictures than this are no camera's: refuse rather than overflow.
constexpr int32_t kMaxSide = 16384;

size_t Stride(int32_t width) { return (static_cast<size_t>(width) * 3 + 3) & ~static_cast<size_t>(3); }

}  // namespace

bool IsValidPattern(int32_t value) {
    return value >= static_cast<int32_t>(Pattern::Still) && value <= static_cast<int32_t>(Pattern::ObjectAtRest);
}

size_t FrameSize(int32_t width, int32_t height) {
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) {
        return 0;
    }
    return Stride(width) * static_cast<size_t>(height);
}

ObjectBox ObjectAt(int32_t width, int32_t height, uint64_t frameIndex) {
    ObjectBox box{};
    int32_t side = height / 6;
    if (side < 4) {
        side = 4;
    }
    if (side > width) {
        side = width;
    }
    if (side > height) {
        side = height;
    }
    box.side = side;
    const int32_t barHeight = height * 3 / 4;
    box.top = barHeight > side ? (barHeight - side) / 2 : 0;
    const uint64_t range = static_cast<uint64_t>(width - side);
    if (range == 0) {
        box.left = 0;
        return box;
    }
    const uint64_t step = width / 64 > 1 ? static_cast<uint64_t>(width / 64) : 1;
    const uint64_t travelled = (frameIndex % (2 * range)) * step % (2 * range);
    box.left = static_cast<int32_t>(travelled <= range ? travelled : 2 * range - travelled);
    return box;
}

Rgb BackgroundPixel(int32_t width, int32_t height, int32_t x, int32_t yFromTop) {
    if (yFromTop < height * 3 / 4) {
        const int64_t bar = static_cast<int64_t>(x) * 8 / width;
        return kBars[bar < 0 ? 0 : (bar > 7 ? 7 : bar)];
    }
    const uint8_t grey = width > 1 ? static_cast<uint8_t>(static_cast<int64_t>(x) * 255 / (width - 1)) : 0;
    return {grey, grey, grey};
}

void Scene::SetPattern(Pattern pattern) {
    pattern_ = pattern;
    script_.clear();
}

void Scene::SetScript(std::vector<Step> steps) { script_ = std::move(steps); }

Pattern Scene::PatternAt(uint64_t frameIndex) const {
    if (script_.empty()) {
        return pattern_;
    }
    uint64_t first = 0;
    for (const Step& step : script_) {
        if (frameIndex < first + step.frames) {
            return step.pattern;
        }
        first += step.frames;
    }
    return script_.back().pattern;
}

bool Scene::Render(int32_t width, int32_t height, uint64_t frameIndex, uint8_t* buffer, size_t size) const {
    const size_t frameBytes = FrameSize(width, height);
    if (frameBytes == 0 || buffer == nullptr || size < frameBytes) {
        return false;
    }
    const size_t stride = Stride(width);
    const Pattern pattern = PatternAt(frameIndex);
    if (pattern == Pattern::Black || pattern == Pattern::White) {
        const uint8_t level = pattern == Pattern::Black ? 0 : 255;
        for (int32_t row = 0; row < height; ++row) {
            uint8_t* line = buffer + static_cast<size_t>(row) * stride;
            std::memset(line, level, static_cast<size_t>(width) * 3);
            std::memset(line + static_cast<size_t>(width) * 3, 0, stride - static_cast<size_t>(width) * 3);
        }
        return true;
    }
    const bool withObject = pattern == Pattern::MovingObject || pattern == Pattern::ObjectAtRest;
    const ObjectBox box = ObjectAt(width, height, pattern == Pattern::ObjectAtRest ? 0 : frameIndex);
    for (int32_t yFromTop = 0; yFromTop < height; ++yFromTop) {
        // Bottom-up: the top row of the picture is the last row in memory.
        uint8_t* line = buffer + static_cast<size_t>(height - 1 - yFromTop) * stride;
        const bool objectRow = withObject && yFromTop >= box.top && yFromTop < box.top + box.side;
        for (int32_t x = 0; x < width; ++x) {
            Rgb pixel = BackgroundPixel(width, height, x, yFromTop);
            if (objectRow && x >= box.left && x < box.left + box.side) {
                pixel = kObjectColour;
            }
            uint8_t* out = line + static_cast<size_t>(x) * 3;
            out[0] = pixel.b;
            out[1] = pixel.g;
            out[2] = pixel.r;
        }
        std::memset(line + static_cast<size_t>(width) * 3, 0, stride - static_cast<size_t>(width) * 3);
    }
    return true;
}

int16_t ToneSample(uint64_t sampleIndex, double level) {
    if (!(level > 0.0)) {  // also NaN
        return 0;
    }
    if (level > 1.0) {
        level = 1.0;
    }
    const int phase = static_cast<int>(sampleIndex % 100);
    const int triangle = phase < 50 ? phase * 4 - 100 : 300 - phase * 4;
    return static_cast<int16_t>(std::lround(triangle * 80.0 * level));
}

}  // namespace benchscene
