#include "PopupThumbs.h"

#include "BrowseRules.h"
#include "SettingValues.h"
#include "effects/PixelEffects.h"
#include "kernels/EffectPipeline.h"

namespace vimbrel::thumbs {
namespace {

// Effects work on the picture at twice the cell size, then it is shrunk:
// large enough for edges and blocks to read, small enough that the
// effects keep their small-frame sizes (the mosaic's 3-pixel blocks).
constexpr int kEffectScale = 2;
constexpr int kEffectWidth = kCellWidth * kEffectScale;
constexpr int kEffectHeight = kCellHeight * kEffectScale;

// The same numbers on every build, unlike the C library's generator.
class CFixedRandom final : public effects::IRandomSource, public browser::IRandomSource {
public:
    int Next() override {
        state_ = state_ * 1103515245u + 12345u;
        return static_cast<int>((state_ >> 16) & 0x7FFF);
    }

private:
    uint32_t state_ = 1;
};

class CThumbHost final : public effects::IEffectHost {
public:
    void FrameSizeChanged() override {}
    effects::TimeOfDay Now() override { return effects::TimeOfDay{}; }
    void ShowFrameRateText(const char16_t*) override {}
    void StretchZoom(const effects::RgbFrame&, const effects::ZoomCrop&) override {}
    void Compose(const effects::RgbFrame&) override {}
    effects::ITileRunner& Tiles() override { return tiles_; }
    effects::IRandomSource& Random() override { return random_; }
    effects::CScratch& Scratch() override { return scratch_; }

private:
    effects::CSerialTileRunner tiles_;
    CFixedRandom random_;
    effects::CScratch scratch_;
};

struct Rgb {
    int r, g, b;
};

Rgb Mix(Rgb a, Rgb b, int at, int of) {
    return {a.r + (b.r - a.r) * at / of, a.g + (b.g - a.g) * at / of, a.b + (b.b - a.b) * at / of};
}

bool InCircle(int x, int y, int cx, int cy, int r) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r; }

// The scene on a 128 x 96 grid; (x, y) from the top left.
Rgb ScenePixel(int x, int y) {
    // Roof: a triangle over the house, apex (34, 28), eaves at y 44.
    const int roofHalf = (y - 28) * 20 / 16;
    if (y >= 28 && y < 44 && x >= 34 - roofHalf && x <= 34 + roofHalf) return {120, 40, 30};
    if (x >= 18 && x < 50 && y >= 44 && y < 74) {
        if (x >= 23 && x < 32 && y >= 50 && y < 59) return {250, 236, 140};  // window
        if (x >= 37 && x < 45 && y >= 58) return {90, 55, 30};               // door
        return {205, 70, 55};
    }
    if (InCircle(x, y, 90, 42, 14)) return InCircle(x, y, 86, 38, 6) ? Rgb{90, 170, 70} : Rgb{40, 120, 45};  // crown
    if (x >= 87 && x < 93 && y >= 52 && y < 78) return {105, 70, 40};                                        // trunk
    if (InCircle(x, y, 108, 16, 9)) return {255, 215, 60};                                                   // sun
    // The hill: a flat arc, grass darker towards the front.
    const int hill = 62 + (x - 64) * (x - 64) / 300;
    if (y >= hill) return Mix({80, 165, 70}, {35, 100, 40}, y - hill, 96 - hill + 1);
    return Mix({60, 120, 215}, {175, 210, 245}, y, 62);  // sky
}

void PutOpaque(uint8_t* pixel, Rgb c) {
    pixel[0] = static_cast<uint8_t>(c.r);
    pixel[1] = static_cast<uint8_t>(c.g);
    pixel[2] = static_cast<uint8_t>(c.b);
    pixel[3] = 255;
}

// The filter's frames: blue, green, red, bottom row first, 3 bytes a pixel.
std::vector<uint8_t> ToBottomUp(const RgbaPicture& picture, int bytesPerPixel) {
    std::vector<uint8_t> out(static_cast<std::size_t>(picture.width) * picture.height * bytesPerPixel, 0);
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            const uint8_t* p = picture.At(x, y);
            uint8_t* q = &out[(static_cast<std::size_t>(picture.height - 1 - y) * picture.width + x) * bytesPerPixel];
            q[0] = p[2];
            q[1] = p[1];
            q[2] = p[0];
        }
    return out;
}

RgbaPicture FromBottomUp(const std::vector<uint8_t>& pixels, int width, int height, int bytesPerPixel) {
    RgbaPicture picture = MakePicture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint8_t* q = &pixels[(static_cast<std::size_t>(height - 1 - y) * width + x) * bytesPerPixel];
            PutOpaque(picture.At(x, y), {q[2], q[1], q[0]});
        }
    return picture;
}

RgbaPicture LiveEffect(int effectId) {
    RgbaPicture sample = SamplePicture(kEffectWidth, kEffectHeight);
    if (effectId == 0) return sample;
    std::vector<uint8_t> pixels = ToBottomUp(sample, 3);
    const effects::RgbFrame frame{pixels.data(), kEffectWidth, kEffectHeight,
                                  static_cast<std::ptrdiff_t>(kEffectWidth) * 3};
    CThumbHost host;
    effects::CEffectSettings settings;
    settings.SetEffect(effectId, 0, host.Random());
    // As the pipeline does on a first frame: the size class, and the
    // kaleidoscope's pieces for that size.
    if (settings.UpdateFrameSize(kEffectWidth, kEffectHeight) && effectId == effects::kEffectKaleidoscope)
        settings.ResetKaleidoscope(host.Random());
    effects::ApplySelectedEffect(settings, frame, host);
    return FromBottomUp(pixels, kEffectWidth, kEffectHeight, 3);
}

RgbaPicture PhotoEffect(int effectId) {
    RgbaPicture sample = SamplePicture(kEffectWidth, kEffectHeight);
    if (effectId == 0) return sample;
    std::vector<uint8_t> pixels = ToBottomUp(sample, 4);
    CFixedRandom random;
    browser::RunPixelEffect(effectId, pixels.data(), pixels.size(), kEffectWidth, kEffectHeight, random);
    return FromBottomUp(pixels, kEffectWidth, kEffectHeight, 4);
}

template <typename Effect>
RgbaPicture EffectStrip(Effect effectOfCell) {
    RgbaPicture strip = MakePicture(kCellWidth * kCells, kCellHeight);
    for (int cell = 0; cell < kCells; ++cell)
        PasteCell(strip, cell, ShrinkPicture(effectOfCell(cell), kCellWidth, kCellHeight));
    return strip;
}

}  // namespace

RgbaPicture MakePicture(int width, int height) {
    RgbaPicture picture;
    picture.width = width;
    picture.height = height;
    picture.rgba.assign(static_cast<std::size_t>(width) * height * 4, 0);
    return picture;
}

RgbaPicture SamplePicture(int width, int height) {
    RgbaPicture picture = MakePicture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) PutOpaque(picture.At(x, y), ScenePixel(x * 128 / width, y * 96 / height));
    return picture;
}

RgbaPicture ShrinkPicture(const RgbaPicture& picture, int toWidth, int toHeight) {
    RgbaPicture out = MakePicture(toWidth, toHeight);
    const int bw = picture.width / toWidth, bh = picture.height / toHeight;
    const int count = bw * bh;
    for (int y = 0; y < toHeight; ++y)
        for (int x = 0; x < toWidth; ++x) {
            long sum[4] = {0, 0, 0, 0};
            for (int v = 0; v < bh; ++v)
                for (int u = 0; u < bw; ++u) {
                    const uint8_t* p = picture.At(x * bw + u, y * bh + v);
                    for (int c = 0; c < 3; ++c) sum[c] += p[c] * p[3];
                    sum[3] += p[3];
                }
            uint8_t* q = out.At(x, y);
            for (int c = 0; c < 3; ++c) q[c] = static_cast<uint8_t>(sum[3] ? (sum[c] + sum[3] / 2) / sum[3] : 0);
            q[3] = static_cast<uint8_t>((sum[3] + count / 2) / count);
        }
    return out;
}

void PasteCell(RgbaPicture& strip, int cell, const RgbaPicture& picture) {
    for (int y = 0; y < kCellHeight; ++y)
        for (int x = 0; x < kCellWidth; ++x) {
            const uint8_t* from = picture.At(x, y);
            std::copy(from, from + 4, strip.At(cell * kCellWidth + x, y));
        }
}

void Compose(RgbaPicture& under, const RgbaPicture& over) {
    for (int y = 0; y < under.height; ++y)
        for (int x = 0; x < under.width; ++x) {
            uint8_t* p = under.At(x, y);
            const uint8_t* q = over.At(x, y);
            for (int c = 0; c < 3; ++c) p[c] = static_cast<uint8_t>((q[c] * q[3] + p[c] * (255 - q[3]) + 127) / 255);
        }
}

RgbaPicture LiveEffectStrip() {
    return EffectStrip([](int cell) { return LiveEffect(controller::EffectIdOfEntry(cell)); });
}

RgbaPicture PhotoEffectStrip() {
    return EffectStrip([](int cell) { return PhotoEffect(controller::PhotoEffectIdOfEntry(cell)); });
}

RgbaPicture FrameStrip(const std::vector<RgbaPicture>& frames) {
    RgbaPicture strip = MakePicture(kCellWidth * kCells, kCellHeight);
    for (int cell = 0; cell < kCells; ++cell) {
        RgbaPicture picture = SamplePicture(kCellWidth * 4, kCellHeight * 4);
        picture = ShrinkPicture(picture, kCellWidth, kCellHeight);
        const std::size_t frame = static_cast<std::size_t>(cell) - 1;
        if (cell > 0 && frame < frames.size() && frames[frame].width % kCellWidth == 0 &&
            frames[frame].height % kCellHeight == 0 && frames[frame].width > 0 && frames[frame].height > 0)
            Compose(picture, ShrinkPicture(frames[frame], kCellWidth, kCellHeight));
        PasteCell(strip, cell, picture);
    }
    return strip;
}

}  // namespace vimbrel::thumbs
