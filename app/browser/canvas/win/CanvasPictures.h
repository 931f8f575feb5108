// Pictures in and out of the canvas: loading from a file, a module's
// resources or the program's own, moving pixels between GDI+ bitmaps and the
// canvas's surfaces, and saving through the encoder the name asks for.
#pragma once

#include "CanvasSurface.h"
#include "StampTransform.h"

#include <windows.h>
#include <gdiplus.h>

#include <memory>

namespace vimbrel::canvas {

enum class PictureSourceKind : int { File = 0, ModuleResource = 1, OwnResource = 2 };

// kind 0: the file `path`; kind 1: resource (name, type) of the module file
// `path`; kind 2: resource (name, type) of the program. A file is read into
// memory first, so the picture shown never keeps its file locked (the
// browser must be able to delete it). Null on any failure.
std::unique_ptr<Gdiplus::Bitmap> LoadCanvasPicture(const wchar_t* path, int kind, const wchar_t* resourceName,
                                                   const wchar_t* resourceType);

// A plain white picture, which stands in for one that cannot be loaded.
std::unique_ptr<Gdiplus::Bitmap> MakeWhitePicture(int width, int height);

// Copies every pixel of `picture` (alpha dropped) into `surface`, which
// must be of the same size.
bool CopyPictureToSurface(Gdiplus::Bitmap& picture, CCanvasSurface& surface);

// The picture's pixels as 0xAARRGGBB rows; false when it cannot be read.
bool ReadArgbPixels(Gdiplus::Bitmap& picture, StampPixels& out);
// A 32-bit ARGB bitmap holding the pixels; null when out of memory.
std::unique_ptr<Gdiplus::Bitmap> MakeArgbBitmap(const StampPixels& pixels);

// Saves the surface as 24-bit RGB through the encoder its extension names;
// false for another extension, a missing encoder or a failed save.
bool SaveSurfaceAs(CCanvasSurface& surface, const wchar_t* path);

}  // namespace vimbrel::canvas
