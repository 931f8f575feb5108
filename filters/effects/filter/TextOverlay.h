// The 160 x 20 text box laid over the video: the caller's text, a stamp or
// the frame rate. Text is drawn with GDI+ into a premultiplied-alpha bitmap
// and copied into a 32-bit DIB section that AlphaBlend composes; drawing
// through a device context would leave the alpha channel undefined.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <memory>

#include "GdiSurface.h"
#include "kernels/OverlayLayout.h"

namespace lenstint {

struct TextStyle {
    const wchar_t* fontName;  // null or unknown: the generic sans-serif family
    float pixels;
    Gdiplus::ARGB colour;
    vimbrel::effects::TextAlign horizontal;
    vimbrel::effects::TextAlign vertical;
    int boxWidth;  // layout box from the top-left corner, cut to the overlay
    int boxHeight;
    bool outline;  // one-pixel black outline around every glyph
};

class CTextOverlay {
public:
    // Makes the bitmap and its section; false when GDI or GDI+ refuse.
    bool Create();

    // Clears the box and draws the text; the box then counts as loaded.
    void Render(const wchar_t* text, const TextStyle& style);

    bool Loaded() const { return loaded_; }
    void SetPosition(int x, int y) {
        x_ = x;
        y_ = y;
    }
    int X() const { return x_; }
    int Y() const { return y_; }
    int Width() const { return vimbrel::effects::kTextOverlayWidth; }
    int Height() const { return vimbrel::effects::kTextOverlayHeight; }
    HDC Dc() const { return surface_.Dc(); }

private:
    void CopyToSurface();

    std::unique_ptr<Gdiplus::Bitmap> canvas_;
    std::unique_ptr<Gdiplus::Graphics> graphics_;
    CDibSurface surface_;
    int x_ = 0;
    int y_ = 0;
    bool loaded_ = false;
};

// Builds the font: the named family when GDI+ has it, else the generic
// sans-serif one; null when neither can be had (the text is then not drawn).
std::unique_ptr<Gdiplus::Font> MakeBoldFont(const wchar_t* name, float pixels);

}  // namespace lenstint
