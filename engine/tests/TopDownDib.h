// The header of an uncompressed DIB whose first row is the top one, as the
// tests read pictures row by row from the top.
#pragma once

#include <windows.h>

namespace enginetest {

inline BITMAPINFO TopDownDibInfo(int width, int height, WORD bitCount) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = bitCount;
    return info;
}

}  // namespace enginetest
