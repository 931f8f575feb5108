// The photo frame laid over the whole picture while effect 22 is chosen: a
// PNG with transparent parts, scaled to the frame size once per load.
#pragma once

#include <windows.h>

#include "FrameImageLoader.h"
#include "GdiSurface.h"

namespace lenstint {

class CPhotoFrameOverlay {
public:
    // Takes a decoded picture, scales it to width x height and keeps it as a
    // premultiplied 32-bit bitmap. False when that fails; true but still not
    // loaded when the frame size is 0 (nothing to scale to).
    bool Load(Gdiplus::Bitmap& image, int width, int height);
    void Unload() {
        surface_.Reset();
        loaded_ = false;
    }

    bool Loaded() const { return loaded_; }
    int ImageWidth() const { return imageWidth_; }
    int ImageHeight() const { return imageHeight_; }
    int Width() const { return surface_.Width(); }
    int Height() const { return surface_.Height(); }
    HDC Dc() const { return surface_.Dc(); }

private:
    CDibSurface surface_;
    int imageWidth_ = 0;
    int imageHeight_ = 0;
    bool loaded_ = false;
};

}  // namespace lenstint
