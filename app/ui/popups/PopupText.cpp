#include "PopupText.h"

namespace vimbrel::ui {

CPopupText::CPopupText(const UiFontRequest& request) : font_(request) {
    right_.SetAlignment(Gdiplus::StringAlignmentFar);
}

void CPopupText::Draw(Gdiplus::Graphics& graphics, const std::wstring& text, const Gdiplus::RectF& box,
                      Gdiplus::Color colour, bool rightAligned) const {
    if (!font_.Ok() || text.empty()) return;
    Gdiplus::SolidBrush brush(colour);
    font_.Draw(graphics, text, box, rightAligned ? right_ : font_.Format(), brush);
}

float CPopupText::Width(Gdiplus::Graphics& graphics, const std::wstring& text, const Gdiplus::RectF& layout) const {
    if (!font_.Ok() || text.empty()) return 0.0f;
    Gdiplus::StringFormat format(&font_.Format());
    Gdiplus::CharacterRange range(0, static_cast<INT>(text.size()));
    format.SetMeasurableCharacterRanges(1, &range);
    Gdiplus::Region region;
    if (graphics.MeasureCharacterRanges(text.c_str(), static_cast<INT>(text.size()), font_.Font(), layout, &format, 1,
                                        &region) != Gdiplus::Ok)
        return 0.0f;
    Gdiplus::RectF bounds;
    if (region.GetBounds(&bounds, &graphics) != Gdiplus::Ok) return 0.0f;
    return bounds.Width;
}

}  // namespace vimbrel::ui
