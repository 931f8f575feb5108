// The controller's font with a text brush: how the status strip draws its
// texts, made from the controller's font description for one drawing.
#pragma once

#include "IOverlayController.h"
#include "SkinFont.h"

#include <windows.h>
#include <gdiplus.h>

#include <string>

namespace vimbrel::ui {

class CUiTextStyle {
public:
    // `colour` is a Windows colour value, drawn opaque.
    CUiTextStyle(const UiFontRequest& request, Colour colour);
    // False when no installed family could make the font: draw no text.
    bool Ok() const { return font_.Ok(); }
    // Draws `text` in `box`; nothing when the style is not usable.
    void Draw(Gdiplus::Graphics& graphics, const std::wstring& text, const Gdiplus::RectF& box) const;

private:
    CUiFont font_;
    Gdiplus::SolidBrush brush_;
};

// A Windows colour value as an opaque GDI+ colour.
Gdiplus::Color OpaqueColour(Colour colour);

}  // namespace vimbrel::ui
