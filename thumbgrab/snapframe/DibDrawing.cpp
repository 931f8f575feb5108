#include "DibDrawing.h"

#include "winowners/GdiOwners.h"
#include "PackedDib.h"

#include <cstring>

namespace snapframe {

bool DrawPackedDib(HDC target, const std::vector<uint8_t>& dib, long width, long height) {
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

    winowners::UniqueWindowDC screen(nullptr);
    if (screen.get() == nullptr) {
        return false;
    }
    winowners::UniqueBitmap bitmap(CreateDIBitmap(screen.get(), &info.header, CBM_INIT, dib.data() + kDibHeaderSize,
                                                  reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS));
    if (!bitmap) {
        return false;
    }
    winowners::UniqueMemoryDC memory(CreateCompatibleDC(screen.get()));
    if (!memory) {
        return false;
    }
    winowners::UniqueSelection selection(memory.get(), bitmap.get());
    if (!selection) {
        return false;
    }
    return BitBlt(target, 0, 0, width, height, memory.get(), 0, 0, SRCCOPY) != FALSE;
}

}  // namespace snapframe
