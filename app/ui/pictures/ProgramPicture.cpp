#include "ProgramPicture.h"

#include "AnsiText.h"
#include "SkinImageLoader.h"

namespace vimbrel::ui {

std::unique_ptr<Gdiplus::Bitmap> LoadProgramPicture(const std::string& name) {
    return LoadSkinImage(WidenAnsi(name).c_str(), SkinSourceKind::OwnResources, L"", L"TOLVEX");
}

winowners::UniqueBitmap PictureBitmap(Gdiplus::Bitmap& picture, Gdiplus::ARGB background) {
    HBITMAP bitmap = nullptr;
    if (picture.GetHBITMAP(Gdiplus::Color(background), &bitmap) != Gdiplus::Ok) return nullptr;
    return winowners::UniqueBitmap(bitmap);
}

}  // namespace vimbrel::ui
