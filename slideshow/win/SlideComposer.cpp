#include "SlideComposer.h"

namespace slideshow {

bool DrawPicturePart(Gdiplus::Bitmap& picture, HDC dc, const FittedRect& destination, const FittedRect& source) {
    Gdiplus::Graphics graphics(dc);
    if (graphics.GetLastStatus() != Gdiplus::Ok) return false;
    const Gdiplus::Rect to(destination.x, destination.y, destination.width, destination.height);
    return graphics.DrawImage(&picture, to, source.x, source.y, source.width, source.height, Gdiplus::UnitPixel) ==
           Gdiplus::Ok;
}

bool ComposeFitted(Gdiplus::Bitmap& picture, CDibBuffer& buffer, Backdrop backdrop, FittedRect* placed) {
    const int width = static_cast<int>(picture.GetWidth());
    const int height = static_cast<int>(picture.GetHeight());
    FittedRect fitted;
    if (!FitToScreen(width, height, &fitted, buffer.Width(), buffer.Height())) return false;
    if (backdrop == Backdrop::WholeBuffer) {
        FillBlack(buffer.Dc(), 0, 0, buffer.Width(), buffer.Height());
    }
    if (!DrawPicturePart(picture, buffer.Dc(), fitted, FittedRect{0, 0, width, height})) {
        return false;
    }
    if (backdrop == Backdrop::AroundPicture) {
        Gdiplus::Graphics graphics(buffer.Dc());
        Gdiplus::Region rest(Gdiplus::Rect(0, 0, buffer.Width(), buffer.Height()));
        rest.Exclude(Gdiplus::Rect(fitted.x, fitted.y, fitted.width, fitted.height));
        Gdiplus::SolidBrush black(Gdiplus::Color(255, 0, 0, 0));
        if (graphics.FillRegion(&black, &rest) != Gdiplus::Ok) return false;
    }
    if (placed) *placed = fitted;
    return true;
}

}  // namespace slideshow
