#include "PopupText.h"

#include "ProgramPicture.h"

namespace vimbrel::ui {

CPopupText::CPopupText(const UiFontSpec& spec) {
    // Never a font from a missing family: GDI+ would fail or crash on it.
    family_ = ChooseFontFamily(spec.face.c_str());
    if (family_) {
        auto font = std::make_unique<Gdiplus::Font>(family_.get(), spec.size, spec.style,
                                                    static_cast<Gdiplus::Unit>(spec.unit));
        if (font->GetLastStatus() == Gdiplus::Ok) font_ = std::move(font);
    }
    format_.SetAlignment(static_cast<Gdiplus::StringAlignment>(spec.alignment));
    right_.SetAlignment(Gdiplus::StringAlignmentFar);
}

void CPopupText::Draw(Gdiplus::Graphics& graphics, const std::wstring& text, const Gdiplus::RectF& box,
                      Gdiplus::Color colour, bool rightAligned) const {
    if (!font_ || text.empty()) return;
    Gdiplus::SolidBrush brush(colour);
    graphics.DrawString(text.c_str(), static_cast<INT>(text.size()), font_.get(), box,
                        rightAligned ? &right_ : &format_, &brush);
}

float CPopupText::Width(Gdiplus::Graphics& graphics, const std::wstring& text,
                        const Gdiplus::RectF& layout) const {
    if (!font_ || text.empty()) return 0.0f;
    Gdiplus::StringFormat format(&format_);
    Gdiplus::CharacterRange range(0, static_cast<INT>(text.size()));
    format.SetMeasurableCharacterRanges(1, &range);
    Gdiplus::Region region;
    if (graphics.MeasureCharacterRanges(text.c_str(), static_cast<INT>(text.size()), font_.get(), layout,
                                        &format, 1, &region) != Gdiplus::Ok)
        return 0.0f;
    Gdiplus::RectF bounds;
    if (region.GetBounds(&bounds, &graphics) != Gdiplus::Ok) return 0.0f;
    return bounds.Width;
}

}  // namespace vimbrel::ui
