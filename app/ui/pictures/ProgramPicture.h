// The program's own pictures (resource type TOLVEX) as GDI+ images and GDI
// bitmaps.
#pragma once

#include "winowners/GdiOwners.h"

#include <windows.h>
#include <gdiplus.h>

#include <memory>
#include <string>

namespace vimbrel::ui {

// Null when the picture is missing or does not decode. GDI+ must be started.
std::unique_ptr<Gdiplus::Bitmap> LoadProgramPicture(const std::string& name);

// The picture as a GDI bitmap laid over `background` (0xAARRGGBB).
winowners::UniqueBitmap PictureBitmap(Gdiplus::Bitmap& picture, Gdiplus::ARGB background);

}  // namespace vimbrel::ui
