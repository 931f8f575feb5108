// Draws a packed DIB into a device context the way the thumbnail cache
// expects: made into a screen-compatible bitmap and copied at (0, 0).
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace snapframe {

// Copies width x height pixels of the frame to (0, 0) of target. False
// when GDI could not make or copy the bitmap, or the DIB is not one
// ReadPackedDib accepts.
bool DrawPackedDib(HDC target, const std::vector<uint8_t>& dib, long width, long height);

}  // namespace snapframe
