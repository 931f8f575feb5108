#include "engine/win/FrameDrawing.h"

#include "engine/core/FrameDib.h"
#include "winowners/GdiOwners.h"

#include <cstring>

namespace camera {

HRESULT DrawPackedDib(HDC target, const uint8_t* dib, size_t size, int width, int height) {
    if (!IsCompletePackedDib(dib, size)) return E_INVALIDARG;
    // The header once more with a zeroed colour entry behind it: what a
    // BITMAPINFO is for a bitmap that needs no colour table.
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD unused;
    } info{};
    std::memcpy(&info.header, dib, sizeof(info.header));

    const auto screen = winowners::GetDCOwner(nullptr);
    if (!screen) return E_FAIL;
    const winowners::UniqueBitmap bitmap(CreateDIBitmap(screen.get(), &info.header, CBM_INIT, dib + kDibHeaderSize,
                                                        reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS));
    if (!bitmap) return E_FAIL;
    const winowners::UniqueMemoryDC memory(CreateCompatibleDC(screen.get()));
    if (!memory) return E_FAIL;
    const auto selected = winowners::SelectObjectOwner(memory.get(), bitmap.get());
    if (!selected) return E_FAIL;
    // The caller's context is theirs to keep valid; a frame that cannot be
    // copied there does not stop the file from playing.
    BitBlt(target, 0, 0, width, height, memory.get(), 0, 0, SRCCOPY);
    return S_OK;
}

}  // namespace camera
