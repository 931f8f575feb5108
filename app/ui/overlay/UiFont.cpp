#include "UiFont.h"

namespace vimbrel::ui {

Gdiplus::Color OpaqueColour(Colour colour) {
    return Gdiplus::Color(255, RedOf(colour), GreenOf(colour), BlueOf(colour));
}

CUiTextStyle::CUiTextStyle(const UiFontRequest& request, Colour colour)
    : font_(request), brush_(OpaqueColour(colour)) {}

void CUiTextStyle::Draw(Gdiplus::Graphics& graphics, const std::wstring& text, const Gdiplus::RectF& box) const {
    font_.Draw(graphics, text, box, font_.Format(), brush_);
}

}  // namespace vimbrel::ui
