#include "UiFont.h"

#include "ProgramPicture.h"

namespace vimbrel::ui {

Gdiplus::Color OpaqueColour(Colour colour) {
    return Gdiplus::Color(255, RedOf(colour), GreenOf(colour), BlueOf(colour));
}

CUiTextStyle::CUiTextStyle(const UiFontSpec& spec, Colour colour) : brush_(OpaqueColour(colour)) {
    // The program asks for a face that many systems lack; a font is never
    // made from a missing family (GDI+ would fail or crash on it).
    family_ = ChooseFontFamily(spec.face.c_str());
    if (family_) {
        auto font = std::make_unique<Gdiplus::Font>(family_.get(), spec.size, spec.style,
                                                    static_cast<Gdiplus::Unit>(spec.unit));
        if (font->GetLastStatus() == Gdiplus::Ok) font_ = std::move(font);
    }
    format_.SetAlignment(static_cast<Gdiplus::StringAlignment>(spec.alignment));
}

void CUiTextStyle::Draw(Gdiplus::Graphics& graphics, const std::wstring& text, const Gdiplus::RectF& box) const {
    if (!font_ || text.empty()) return;
    graphics.DrawString(text.c_str(), static_cast<INT>(text.size()), font_.get(), box, &format_, &brush_);
}

}  // namespace vimbrel::ui
