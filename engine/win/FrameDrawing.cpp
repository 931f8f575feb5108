#include "engine/win/FrameDrawing.h"

#include "engine/win/GdiHandles.h"
#include "engine/core/FrameDib.h"

#include <cstring>

namespace camera {

HRESULT DrawPackedDib(HDC target, const uint8_t* dib, size_t size, int width, int height)
{
    if (!IsCompletePackedDib(dib, size))
        return E_INVALIDARG;
    // The header once more with a zeroed colour entry behind it: what a
    // BITMAPINFO is for a bitmap that needs no colour table.
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD unused;
    } info{};
    std::memcpy(&info.header, dib, sizeof(info.header));

    CScreenDC screen;
    if (screen.Get() == nullptr)
        return E_FAIL;
    CGdiBitmap bitmap(CreateDIBitmap(screen.Get(), &info.header, CBM_INIT, dib + kDibHeaderSize,
                                     reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS));
    if (bitmap.Get() == nullptr)
        return E_FAIL;
    CMemoryDC memory(screen.Get());
    if (memory.Get() == nullptr)
        return E_FAIL;
    CSelection selected(memory.Get(), bitmap.Get());
    if (!selected.Selected())
        return E_FAIL;
    // The caller's context is theirs to keep valid; a frame that cannot be
    // copied there does not stop the file from playing.
    BitBlt(target, 0, 0, width, height, memory.Get(), 0, 0, SRCCOPY);
    return S_OK;
}

} // namespace camera
