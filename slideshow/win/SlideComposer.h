// The common start of most transitions: the picture fitted to the screen
// and drawn into the composition buffer, the rest of the buffer black.
#pragma once

#include "DibBuffer.h"
#include "FitToScreen.h"

#include <windows.h>
#include <gdiplus.h>

namespace slideshow {

enum class Backdrop {
    // Paint only the screen less the picture's rectangle black.
    AroundPicture,
    // Fill the whole buffer black first, then draw the picture.
    WholeBuffer,
};

// False when the picture has no size or GDI+ cannot draw it.
bool ComposeFitted(Gdiplus::Bitmap& picture, CDibBuffer& buffer, Backdrop backdrop, FittedRect* placed = nullptr);

// Draws the source part of the picture scaled into the destination, in pixel
// units; false when GDI+ refuses.
bool DrawPicturePart(Gdiplus::Bitmap& picture, HDC dc, const FittedRect& destination, const FittedRect& source);

}  // namespace slideshow
