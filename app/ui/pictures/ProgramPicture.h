// The program's own pictures (resource type TOLVEX) as GDI+ images and GDI
// bitmaps, and the font family a picture's text is drawn in.
#pragma once

#include "WinHandles.h"

#include <windows.h>
#include <gdiplus.h>

#include <memory>
#include <string>

namespace vimbrel::ui {

// Null when the picture is missing or does not decode. GDI+ must be started.
std::unique_ptr<Gdiplus::Bitmap> LoadProgramPicture(const std::string& name);

// The picture as a GDI bitmap laid over `background` (0xAARRGGBB).
UniqueBitmap PictureBitmap(Gdiplus::Bitmap& picture, Gdiplus::ARGB background);

// The family `face`, else the generic sans-serif family, else the first
// installed family; null when there is none at all (then no text is drawn:
// a font made from a null family would fail or crash).
std::unique_ptr<Gdiplus::FontFamily> ChooseFontFamily(const wchar_t* face);

}  // namespace vimbrel::ui
