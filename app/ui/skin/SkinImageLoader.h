// Loads one skin image by name from wherever the skin lives, decoded by
// GDI+ (JPEG, GIF, PNG or BMP, told apart by content). GDI+ must be started.
#pragma once

#include "SkinSource.h"

#include <windows.h>
#include <gdiplus.h>

#include <memory>

namespace vimbrel::ui {

// kind 0: the file source + "\" + name; kind 1: resource (name, type) of the
// library named by source; kind 2: resource (name, type) of the program.
// Null on any failure: missing or empty resource, library that does not
// load, a path over 127 characters, a stream or decoder error.
std::unique_ptr<Gdiplus::Bitmap> LoadSkinImage(const wchar_t* name, SkinSourceKind kind, const wchar_t* source,
                                               const wchar_t* resourceType);

// Decodes an image held in memory; the bytes are copied into a stream first,
// so they need not outlive the call.
std::unique_ptr<Gdiplus::Bitmap> DecodeSkinImage(const void* data, size_t size);

}  // namespace vimbrel::ui
