// A stamp as the canvas draws it: the pixels as loaded, kept so that turns,
// flips and colours are always worked out from the original, and the GDI+
// bitmap of the current look.
#pragma once

#include "BrushStamp.h"
#include "StampTransform.h"

#include <windows.h>
#include <gdiplus.h>

#include <memory>

namespace vimbrel::canvas {

class CCanvasStamp {
public:
    // A picture stamp shows the image as it is; a brush stamp is its alpha
    // shape in one colour (`inverted`: everything but the shape).
    bool LoadPicture(Gdiplus::Bitmap& image);
    bool LoadBrush(Gdiplus::Bitmap& image, bool inverted, uint32_t argbColour);

    void SetColour(uint32_t argbColour);
    // A turn, flip or "Standard" of the context menu. Each stamp keeps its
    // own orientation, so switching tools never turns the other stamp.
    void ApplyCommand(int command);

    // Null until a stamp loaded.
    Gdiplus::Bitmap* Image() const { return image_.get(); }
    int Width() const { return image_ ? static_cast<int>(image_->GetWidth()) : 0; }
    int Height() const { return image_ ? static_cast<int>(image_->GetHeight()) : 0; }

private:
    bool Rebuild();

    StampPixels loaded_;
    bool brush_ = false;
    bool inverted_ = false;
    uint32_t colour_ = 0xFF000000;
    StampTransformState transform_;
    std::unique_ptr<Gdiplus::Bitmap> image_;
};

}  // namespace vimbrel::canvas
