// Draws the effect gallery's two thumbnail strips (1024 x 48, sixteen 64 x 48
// pictures side by side) and writes them as JPEG files:
//   effect.jpg  one painted scene through the filter's own pixel stages, in
//               the gallery's order (item 0 untouched);
//   frame.jpg   the scene under each photo frame (item 0 without one).
// Run once under Wine from the build's bin folder; the output is committed
// beside this file:  draw_gallery_thumbnails.exe <photo frame folder> <out folder>
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "GalleryTables.h"
#include "kernels/EffectPipeline.h"

namespace {

using namespace vimbrel::effects;

constexpr int kW = lenstint::kThumbWidth * 4;  // drawn large, shrunk into a cell
constexpr int kH = lenstint::kThumbHeight * 4;

class CThumbHost final : public IEffectHost {
public:
    void FrameSizeChanged() override {}
    TimeOfDay Now() override { return TimeOfDay{}; }
    void ShowFrameRateText(const char16_t*) override {}
    void StretchZoom(const RgbFrame&, const ZoomCrop&) override {}
    void Compose(const RgbFrame&) override {}
    ITileRunner& Tiles() override { return tiles_; }
    IRandomSource& Random() override { return random_; }
    CScratch& Scratch() override { return scratch_; }

private:
    CSerialTileRunner tiles_;
    CStdRandom random_;
    CScratch scratch_;
};

// A small landscape: sky, sun, hills, a house; bottom-up BGR rows.
void PaintScene(std::vector<uint8_t>& pixels) {
    for (int r = 0; r < kH; ++r) {
        const int y = kH - 1 - r;  // from the top
        for (int x = 0; x < kW; ++x) {
            uint8_t* p = &pixels[(static_cast<size_t>(r) * kW + x) * 3];
            int red = 90 + y / 2, green = 150 + y / 3, blue = 235 - y / 4;  // sky
            const int dx = x - 190, dy = y - 45;
            if (dx * dx + dy * dy < 26 * 26) red = 255, green = 215, blue = 60;  // sun
            const int hill = 120 + static_cast<int>(20 * std::sin(x / 30.0));
            if (y > hill) red = 40 + (x % 16), green = 130 + (y % 24), blue = 50;          // grass
            if (x > 50 && x < 110 && y > 95 && y < 150) red = 200, green = 60, blue = 50;  // house
            if (x > 70 && x < 90 && y > 120 && y < 150) red = 80, green = 50, blue = 30;   // door
            p[0] = static_cast<uint8_t>(blue);
            p[1] = static_cast<uint8_t>(green);
            p[2] = static_cast<uint8_t>(red);
        }
    }
}

std::unique_ptr<Gdiplus::Bitmap> ToBitmap(std::vector<uint8_t>& pixels) {
    auto bitmap = std::make_unique<Gdiplus::Bitmap>(kW, kH, PixelFormat24bppRGB);
    Gdiplus::Rect all(0, 0, kW, kH);
    Gdiplus::BitmapData data{};
    bitmap->LockBits(&all, Gdiplus::ImageLockModeWrite, PixelFormat24bppRGB, &data);
    for (int y = 0; y < kH; ++y)
        memcpy(static_cast<uint8_t*>(data.Scan0) + y * data.Stride, &pixels[static_cast<size_t>(kH - 1 - y) * kW * 3],
               kW * 3);
    bitmap->UnlockBits(&data);
    return bitmap;
}

bool SaveJpeg(Gdiplus::Bitmap& strip, const std::wstring& path) {
    UINT count = 0, bytes = 0;
    Gdiplus::GetImageEncodersSize(&count, &bytes);
    std::vector<uint8_t> buffer(bytes);
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    Gdiplus::GetImageEncoders(count, bytes, encoders);
    for (UINT i = 0; i < count; ++i) {
        if (wcscmp(encoders[i].MimeType, L"image/jpeg") == 0)
            return strip.Save(path.c_str(), &encoders[i].Clsid, nullptr) == Gdiplus::Ok;
    }
    return false;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        fwprintf(stderr, L"usage: draw_gallery_thumbnails <photo frame folder> <out folder>\n");
        return 2;
    }
    const std::wstring frames = std::wstring(argv[1]) + L"\\";
    const std::wstring out = std::wstring(argv[2]) + L"\\";
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return 1;
    int failures = 0;
    {
        const int stripW = lenstint::kThumbWidth * lenstint::kGalleryItems;
        Gdiplus::Bitmap effects(stripW, lenstint::kThumbHeight, PixelFormat24bppRGB);
        Gdiplus::Bitmap frameStrip(stripW, lenstint::kThumbHeight, PixelFormat24bppRGB);
        Gdiplus::Graphics effectsInk(&effects);
        Gdiplus::Graphics framesInk(&frameStrip);
        for (Gdiplus::Graphics* ink : {&effectsInk, &framesInk})
            ink->SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);

        CThumbHost host;
        std::vector<uint8_t> pixels(static_cast<size_t>(kW) * kH * 3);
        for (int item = 0; item < lenstint::kGalleryItems; ++item) {
            const Gdiplus::Rect cell(item * lenstint::kThumbWidth, 0, lenstint::kThumbWidth, lenstint::kThumbHeight);
            PaintScene(pixels);
            const RgbFrame frame{pixels.data(), kW, kH, static_cast<std::ptrdiff_t>(kW) * 3};
            CEffectSettings settings;
            settings.SetEffect(lenstint::EffectGalleryOrder(item), 0, host.Random());
            ApplySelectedEffect(settings, frame, host);
            effectsInk.DrawImage(ToBitmap(pixels).get(), cell);

            PaintScene(pixels);
            framesInk.DrawImage(ToBitmap(pixels).get(), cell);
            if (item == 0) continue;
            const std::wstring path = frames + L"frame" + std::to_wstring(item) + L".png";
            Gdiplus::Bitmap photoFrame(path.c_str());
            if (photoFrame.GetLastStatus() != Gdiplus::Ok) {
                fwprintf(stderr, L"cannot read %ls\n", path.c_str());
                ++failures;
                continue;
            }
            framesInk.DrawImage(&photoFrame, cell);
        }
        if (!SaveJpeg(effects, out + L"effect.jpg")) ++failures;
        if (!SaveJpeg(frameStrip, out + L"frame.jpg")) ++failures;
    }
    Gdiplus::GdiplusShutdown(token);
    return failures == 0 ? 0 : 1;
}
