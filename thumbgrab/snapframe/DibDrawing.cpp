#include "DibDrawing.h"

#include "GdiOwners.h"
#include "PackedDib.h"

#include <cstring>

namespace snapframe {

bool DrawPackedDib(HDC target, const std::vector<uint8_t>& dib, long width, long height)
{
    if (!ReadPackedDib(dib.data(), dib.size())) {
        return false;
    }
    // The header alone, plus one zeroed colour entry: frames of 16 bits and
    // more carry no colour table, but BITMAPINFO declares room for one.
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD unused;
    } info{};
    static_assert(sizeof(BITMAPINFOHEADER) == kDibHeaderSize, "a packed DIB starts with this header");
    std::memcpy(&info.header, dib.data(), kDibHeaderSize);

    CScreenContext screen;
    if (screen.Get() == nullptr) {
        return false;
    }
    UniqueBitmap bitmap(CreateDIBitmap(screen.Get(), &info.header, CBM_INIT, dib.data() + kDibHeaderSize,
                                       reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS));
    if (!bitmap) {
        return false;
    }
    UniqueMemoryContext memory(CreateCompatibleDC(screen.Get()));
    if (!memory) {
        return false;
    }
    CBitmapSelection selection(memory.get(), bitmap.get());
    if (!selection.Selected()) {
        return false;
    }
    return BitBlt(target, 0, 0, width, height, memory.get(), 0, 0, SRCCOPY) != FALSE;
}

} // namespace snapframe
