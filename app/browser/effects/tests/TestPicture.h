#pragma once
// Pictures for the effect tests: an exactly sized buffer, so that the
// address sanitizer sees any access past it, addressed by (x, buffer row),
// and random sources whose numbers a test chooses.

#include <cstdint>
#include <ostream>
#include <vector>

#include "effects/BgrxImage.h"
#include "effects/PictureRandomSource.h"

namespace vimbrel::browser::testing {

struct Bgrx {
    uint8_t b = 0, g = 0, r = 0, x = 0;
    bool operator==(const Bgrx& o) const { return b == o.b && g == o.g && r == o.r && x == o.x; }
    bool operator!=(const Bgrx& o) const { return !(*this == o); }
};

// Colours are written red first, as people say them; the fourth byte is
// given a value of its own so that a test sees an effect that touches it.
inline Bgrx Rgb(int r, int g, int b, int x = 0xA5) {
    return Bgrx{static_cast<uint8_t>(b), static_cast<uint8_t>(g), static_cast<uint8_t>(r), static_cast<uint8_t>(x)};
}
inline Bgrx GrayPixel(int v, int x = 0xA5) { return Rgb(v, v, v, x); }

void PrintTo(const Bgrx& p, std::ostream* os);

class CTestPicture {
public:
    CTestPicture(int width, int height, Bgrx fill = GrayPixel(0));

    int Width() const { return width_; }
    int Height() const { return height_; }
    // A fresh view, so that copies of a picture each describe their own bytes.
    BgrxImage Image();
    std::vector<uint8_t>& Bytes() { return bytes_; }
    const std::vector<uint8_t>& Bytes() const { return bytes_; }

    Bgrx At(int x, int y) const;
    void Set(int x, int y, Bgrx v);
    // Sets buffer row y from left to right.
    void SetRow(int y, const std::vector<Bgrx>& pixels);

    // Deterministic noise in every byte, the fourth included.
    void FillNoise(uint32_t seed);
    // Noise limited to a few values per channel, so that equal grays and
    // ties are common.
    void FillCoarseNoise(uint32_t seed, int levels);

    bool Run(int effectId, IRandomSource& random);
    bool Run(int effectId);  // with a source that always gives 0

private:
    int width_, height_;
    std::vector<uint8_t> bytes_;
};

// Gives the scripted numbers in order, then `fallback` for ever.
class CScriptedRandom final : public IRandomSource {
public:
    explicit CScriptedRandom(std::vector<int> script, int fallback = 0);
    int Next() override;
    int Calls() const { return calls_; }
    void SetAt(std::size_t index, int value);

private:
    std::vector<int> script_;
    int fallback_;
    int calls_ = 0;
};

// A small linear congruential generator with the runtime's 0..32767 range.
class CSeededRandom final : public IRandomSource {
public:
    explicit CSeededRandom(uint32_t seed) : state_(seed) {}
    int Next() override;

private:
    uint32_t state_;
};

}  // namespace vimbrel::browser::testing
