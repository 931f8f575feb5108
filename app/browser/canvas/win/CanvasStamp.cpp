#include "CanvasStamp.h"

#include "CanvasPictures.h"

namespace vimbrel::canvas {

bool CCanvasStamp::LoadPicture(Gdiplus::Bitmap& image) {
    StampPixels pixels;
    if (!ReadArgbPixels(image, pixels)) return false;
    loaded_ = std::move(pixels);
    brush_ = inverted_ = false;
    transform_.Reset();
    return Rebuild();
}

bool CCanvasStamp::LoadBrush(Gdiplus::Bitmap& image, bool inverted, uint32_t argbColour) {
    StampPixels pixels;
    if (!ReadArgbPixels(image, pixels)) return false;
    loaded_ = std::move(pixels);
    brush_ = true;
    inverted_ = inverted;
    colour_ = argbColour;
    transform_.Reset();
    return Rebuild();
}

void CCanvasStamp::SetColour(uint32_t argbColour) {
    colour_ = argbColour;
    if (brush_) Rebuild();
}

void CCanvasStamp::ApplyCommand(int command) {
    if (transform_.Apply(command)) Rebuild();
}

bool CCanvasStamp::Rebuild() {
    if (loaded_.pixels.empty()) return false;
    const StampPixels coloured = brush_ ? RecolouredBrushStamp(loaded_, colour_, inverted_) : loaded_;
    auto image = MakeArgbBitmap(Oriented(coloured, transform_.Orientation()));
    if (!image) return false;
    image_ = std::move(image);
    return true;
}

}  // namespace vimbrel::canvas
