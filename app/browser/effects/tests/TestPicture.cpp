#include "TestPicture.h"

#include <utility>

#include "effects/PixelEffects.h"

namespace vimbrel::browser::testing {

void PrintTo(const Bgrx& p, std::ostream* os) {
    *os << "(r " << int(p.r) << ", g " << int(p.g) << ", b " << int(p.b) << ", x " << int(p.x) << ")";
}

CTestPicture::CTestPicture(int width, int height, Bgrx fill)
    : width_(width), height_(height), bytes_(static_cast<std::size_t>(width) * height * 4) {
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) Set(x, y, fill);
}

BgrxImage CTestPicture::Image() {
    BgrxImage image;
    MakeBgrxImage(bytes_.data(), bytes_.size(), width_, height_, image);
    return image;
}

Bgrx CTestPicture::At(int x, int y) const {
    const uint8_t* p = bytes_.data() + (static_cast<std::size_t>(y) * width_ + x) * 4;
    return Bgrx{p[0], p[1], p[2], p[3]};
}

void CTestPicture::Set(int x, int y, Bgrx v) {
    uint8_t* p = bytes_.data() + (static_cast<std::size_t>(y) * width_ + x) * 4;
    p[0] = v.b;
    p[1] = v.g;
    p[2] = v.r;
    p[3] = v.x;
}

void CTestPicture::SetRow(int y, const std::vector<Bgrx>& pixels) {
    for (std::size_t x = 0; x < pixels.size(); ++x) Set(static_cast<int>(x), y, pixels[x]);
}

void CTestPicture::FillNoise(uint32_t seed) {
    for (uint8_t& byte : bytes_) {
        seed = seed * 1664525u + 1013904223u;
        byte = static_cast<uint8_t>(seed >> 24);
    }
}

void CTestPicture::FillCoarseNoise(uint32_t seed, int levels) {
    for (uint8_t& byte : bytes_) {
        seed = seed * 1664525u + 1013904223u;
        byte = static_cast<uint8_t>(((seed >> 16) % static_cast<uint32_t>(levels)) * (255 / (levels - 1)));
    }
}

bool CTestPicture::Run(int effectId, IRandomSource& random) {
    return RunPixelEffect(effectId, bytes_.data(), bytes_.size(), width_, height_, random);
}

bool CTestPicture::Run(int effectId) {
    CScriptedRandom zeros({});
    return Run(effectId, zeros);
}

CScriptedRandom::CScriptedRandom(std::vector<int> script, int fallback)
    : script_(std::move(script)), fallback_(fallback) {}

int CScriptedRandom::Next() {
    const std::size_t index = static_cast<std::size_t>(calls_++);
    return index < script_.size() ? script_[index] : fallback_;
}

void CScriptedRandom::SetAt(std::size_t index, int value) {
    if (script_.size() <= index) script_.resize(index + 1, fallback_);
    script_[index] = value;
}

int CSeededRandom::Next() {
    state_ = state_ * 214013u + 2531011u;
    return static_cast<int>((state_ >> 16) & 0x7FFF);
}

}  // namespace vimbrel::browser::testing
