// Putting a frame from the media detector onto the caller's device context.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace camera {

// Draws the packed bitmap (header, then rows) at (0, 0) of target, width x
// height pixels of it. E_INVALIDARG when the header does not describe the
// buffer; E_FAIL when GDI cannot make the bitmap or a context for it.
HRESULT DrawPackedDib(HDC target, const uint8_t* dib, size_t size, int width, int height);

}  // namespace camera
