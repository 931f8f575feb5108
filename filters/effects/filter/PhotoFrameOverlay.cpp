#include "PhotoFrameOverlay.h"

namespace lenstint {

bool CPhotoFrameOverlay::Load(Gdiplus::Bitmap& image, int width, int height) {
    Unload();
    imageWidth_ = static_cast<int>(image.GetWidth());
    imageHeight_ = static_cast<int>(image.GetHeight());
    std::unique_ptr<Gdiplus::Bitmap> scaled = ResizeImage(image, width, height);
    if (scaled == nullptr) {
        return width <= 0 || height <= 0;
    }
    // Fully transparent background: the bitmap keeps the picture's own alpha,
    // premultiplied, which is what AlphaBlend expects.
    HBITMAP bitmap = nullptr;
    if (scaled->GetHBITMAP(Gdiplus::Color(0, 0, 0, 0), &bitmap) != Gdiplus::Ok || !surface_.Adopt(bitmap)) {
        return false;
    }
    loaded_ = true;
    return true;
}

}  // namespace lenstint
