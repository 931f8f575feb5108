// The fonts the skinned windows draw their texts in. A GDI+ font is only
// ever made from a family that is installed, and that family is kept for
// as long as the font lives.
#pragma once

#include "UiFontRequest.h"

#include <windows.h>
#include <gdiplus.h>

#include <memory>
#include <string>

namespace vimbrel::ui {

// The family `face`, else the generic sans-serif family, else the first
// installed family; null when there is none at all (then no text is drawn:
// a font made from a null family would fail or crash).
std::unique_ptr<Gdiplus::FontFamily> ChooseFontFamily(const wchar_t* face);

// The controller's UI font made once for a window: the font and a string
// format with the font's own alignment. GDI+ must be started.
class CUiFont {
public:
    explicit CUiFont(const UiFontRequest& request);
    // False when no installed family could make the font: draw no text.
    bool Ok() const { return font_ != nullptr; }
    // Null when the font is not usable.
    const Gdiplus::Font* Font() const { return font_.get(); }
    // The alignment the controller asked for.
    const Gdiplus::StringFormat& Format() const { return format_; }
    // Draws `text` in `box` with `format` and `brush`; nothing when the
    // font is not usable or the text is empty.
    void Draw(Gdiplus::Graphics& graphics, const std::wstring& text, const Gdiplus::RectF& box,
              const Gdiplus::StringFormat& format, const Gdiplus::Brush& brush) const;

    CUiFont(const CUiFont&) = delete;
    CUiFont& operator=(const CUiFont&) = delete;

private:
    std::unique_ptr<Gdiplus::FontFamily> family_;
    std::unique_ptr<Gdiplus::Font> font_;
    Gdiplus::StringFormat format_;
};

}  // namespace vimbrel::ui
