// The controller's UI font made once for a popup, drawing texts in any
// colour and measuring them.
#pragma once

#include "IOverlayController.h"
#include "SkinFont.h"

#include <windows.h>
#include <gdiplus.h>

#include <string>

namespace vimbrel::ui {

class CPopupText {
public:
    explicit CPopupText(const UiFontRequest& request);
    // False when no installed family could make the font: no text is drawn.
    bool Ok() const { return font_.Ok(); }
    // Draws with the font's own alignment, or right-aligned.
    void Draw(Gdiplus::Graphics& graphics, const std::wstring& text, const Gdiplus::RectF& box, Gdiplus::Color colour,
              bool rightAligned = false) const;
    // Width of `text` laid out in `layout`, by character-range measurement;
    // 0 when it cannot be measured.
    float Width(Gdiplus::Graphics& graphics, const std::wstring& text, const Gdiplus::RectF& layout) const;

private:
    CUiFont font_;
    Gdiplus::StringFormat right_;
};

}  // namespace vimbrel::ui
