#include "SkinFont.h"

namespace vimbrel::ui {

namespace {
std::unique_ptr<Gdiplus::FontFamily> Usable(std::unique_ptr<Gdiplus::FontFamily> family) {
    if (family && family->GetLastStatus() == Gdiplus::Ok && family->IsAvailable()) return family;
    return nullptr;
}
}  // namespace

std::unique_ptr<Gdiplus::FontFamily> ChooseFontFamily(const wchar_t* face) {
    if (auto named = Usable(std::make_unique<Gdiplus::FontFamily>(face))) return named;
    // The generic family by its name: the headers' own accessor caches an
    // object that outlives the GDI+ session it came from.
    Gdiplus::GpFontFamily* generic = nullptr;
    WCHAR genericName[LF_FACESIZE] = {};
    if (Gdiplus::DllExports::GdipGetGenericFontFamilySansSerif(&generic) == Gdiplus::Ok && generic &&
        Gdiplus::DllExports::GdipGetFamilyName(generic, genericName, LANG_NEUTRAL) == Gdiplus::Ok) {
        if (auto named = Usable(std::make_unique<Gdiplus::FontFamily>(genericName))) return named;
    }
    Gdiplus::InstalledFontCollection installed;
    const INT count = installed.GetFamilyCount();
    if (count <= 0) return nullptr;
    std::unique_ptr<Gdiplus::FontFamily[]> families(new Gdiplus::FontFamily[static_cast<size_t>(count)]);
    INT found = 0;
    if (installed.GetFamilies(count, families.get(), &found) != Gdiplus::Ok || found <= 0) return nullptr;
    return Usable(std::unique_ptr<Gdiplus::FontFamily>(families[0].Clone()));
}

CUiFont::CUiFont(const UiFontRequest& request) {
    // The program asks for a face that many systems lack; a font is never
    // made from a missing family (GDI+ would fail or crash on it).
    family_ = ChooseFontFamily(request.face.c_str());
    if (family_) {
        auto font = std::make_unique<Gdiplus::Font>(family_.get(), request.size, request.style,
                                                    static_cast<Gdiplus::Unit>(request.unit));
        if (font->GetLastStatus() == Gdiplus::Ok) font_ = std::move(font);
    }
    format_.SetAlignment(static_cast<Gdiplus::StringAlignment>(request.alignment));
}

void CUiFont::Draw(Gdiplus::Graphics& graphics, const std::wstring& text, const Gdiplus::RectF& box,
                   const Gdiplus::StringFormat& format, const Gdiplus::Brush& brush) const {
    if (!font_ || text.empty()) return;
    graphics.DrawString(text.c_str(), static_cast<INT>(text.size()), font_.get(), box, &format, &brush);
}

}  // namespace vimbrel::ui
