#include "ProgramPicture.h"

#include "SkinImageLoader.h"
#include "WideText.h"


namespace vimbrel::ui {

std::unique_ptr<Gdiplus::Bitmap> LoadProgramPicture(const std::string& name) {
    return LoadSkinImage(WidenAnsi(name).c_str(), SkinSourceKind::OwnResources, L"", L"TOLVEX");
}

UniqueBitmap PictureBitmap(Gdiplus::Bitmap& picture, Gdiplus::ARGB background) {
    HBITMAP bitmap = nullptr;
    if (picture.GetHBITMAP(Gdiplus::Color(background), &bitmap) != Gdiplus::Ok) return nullptr;
    return UniqueBitmap(bitmap);
}

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

}  // namespace vimbrel::ui
