// Decodes one picture file of the slide list with GDI+, without colour
// management. The file is read into memory first, so the show never holds a
// picture file open (the main program may delete the file on screen).
#pragma once

#include <windows.h>
#include <gdiplus.h>

#include <memory>
#include <string>

namespace slideshow {

// Null when the file cannot be read, is empty or larger than the program's
// picture cap (kMaxPictureBytes), or does not decode: the show skips that
// turn. A bare name opens relative to the current directory.
std::unique_ptr<Gdiplus::Bitmap> LoadPictureFile(const std::u16string& name);

}  // namespace slideshow
