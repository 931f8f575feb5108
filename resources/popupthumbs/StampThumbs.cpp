// The stamp popup's cells: what each entry puts on a photo.
#include "PopupThumbs.h"

#include "BrowseRules.h"
#include "BrushStamp.h"
#include "PenStroke.h"

namespace vimbrel::thumbs {
namespace {

// Stamps are 64 x 64; on a picture three times the cell they shrink to some
// 21 pixels, nearly the cell's height, and a whole factor keeps the
// shrinking exact.
constexpr int kStampScale = 3;
constexpr int kWorkWidth = kCellWidth * kStampScale;
constexpr int kWorkHeight = kCellHeight * kStampScale;
// The editor's pen until the user picks a colour.
constexpr uint32_t kStartingPenColour = 0x000000;  // COLORREF black

canvas::StampPixels ToStampPixels(const RgbaPicture& picture) {
    canvas::StampPixels stamp{picture.width, picture.height, {}};
    stamp.pixels.reserve(static_cast<std::size_t>(picture.width) * picture.height);
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            const uint8_t* p = picture.At(x, y);
            stamp.pixels.push_back(static_cast<uint32_t>(p[3]) << 24 | p[0] << 16 | p[1] << 8 | p[2]);
        }
    return stamp;
}

RgbaPicture FromStampPixels(const canvas::StampPixels& stamp) {
    RgbaPicture picture = MakePicture(stamp.width, stamp.height);
    for (int y = 0; y < stamp.height; ++y)
        for (int x = 0; x < stamp.width; ++x) {
            const uint32_t argb = stamp.At(x, y);
            uint8_t* p = picture.At(x, y);
            p[0] = static_cast<uint8_t>(argb >> 16);
            p[1] = static_cast<uint8_t>(argb >> 8);
            p[2] = static_cast<uint8_t>(argb);
            p[3] = static_cast<uint8_t>(argb >> 24);
        }
    return picture;
}

// A wave of the pen across the cell, laid tip by tip as the editor draws a
// stroke: round tips 6 pixels wide here, 2 in the cell.
RgbaPicture PenStroke() {
    RgbaPicture picture = MakePicture(kWorkWidth, kWorkHeight);
    constexpr float kWidth = 6.0f;
    const canvas::CanvasPoint wave[] = {{12, 50}, {28, 26}, {46, 36}, {62, 50}, {84, 22}};
    for (std::size_t i = 1; i < sizeof wave / sizeof wave[0]; ++i)
        canvas::ForEachSegmentTip(wave[i - 1], wave[i], kWidth, [&picture](canvas::CanvasPoint corner) {
            const double radius = kWidth / 2, cx = corner.x + radius, cy = corner.y + radius;
            for (int y = corner.y; y < corner.y + static_cast<int>(kWidth); ++y)
                for (int x = corner.x; x < corner.x + static_cast<int>(kWidth); ++x) {
                    const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
                    if (x < 0 || y < 0 || x >= kWorkWidth || y >= kWorkHeight || dx * dx + dy * dy > radius * radius)
                        continue;
                    uint8_t* p = picture.At(x, y);
                    p[0] = p[1] = p[2] = 0;
                    p[3] = 255;
                }
        });
    return picture;
}

// The stamp centred on a clear picture, or a clear picture when it is empty
// or larger.
RgbaPicture Centred(const RgbaPicture& stamp) {
    RgbaPicture picture = MakePicture(kWorkWidth, kWorkHeight);
    if (stamp.width <= 0 || stamp.height <= 0 || stamp.width > kWorkWidth || stamp.height > kWorkHeight) return picture;
    const int left = (kWorkWidth - stamp.width) / 2, top = (kWorkHeight - stamp.height) / 2;
    for (int y = 0; y < stamp.height; ++y)
        for (int x = 0; x < stamp.width; ++x) {
            const uint8_t* from = stamp.At(x, y);
            std::copy(from, from + 4, picture.At(left + x, top + y));
        }
    return picture;
}

}  // namespace

RgbaPicture StampStrip(const std::vector<RgbaPicture>& stamps) {
    RgbaPicture strip = MakePicture(kCellWidth * kCells, kCellHeight);
    for (int entry = 0; entry < kCells; ++entry) {
        const std::size_t index = static_cast<std::size_t>(entry) - 1;
        const RgbaPicture stamp = entry > 0 && index < stamps.size() ? stamps[index] : RgbaPicture{};
        RgbaPicture picture;
        switch (controller::StampKindOfEntry(entry)) {
        case controller::StampKind::Pen: picture = PenStroke(); break;
        case controller::StampKind::Image: picture = Centred(stamp); break;
        case controller::StampKind::Brush:
            picture = Centred(FromStampPixels(
                canvas::RecolouredBrushStamp(ToStampPixels(stamp), canvas::OpaqueArgbOf(kStartingPenColour), false)));
            break;
        }
        PasteCell(strip, entry, ShrinkPicture(picture, kCellWidth, kCellHeight));
    }
    return strip;
}

}  // namespace vimbrel::thumbs
