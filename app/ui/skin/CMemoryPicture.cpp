#include "CMemoryPicture.h"
#include "winowners/GdiOwners.h"

namespace vimbrel::ui {

bool CMemoryPicture::Hold(HDC compatible, winowners::UniqueBitmap bitmap) {
    Release();
    if (!bitmap) return false;
    dc_.reset(CreateCompatibleDC(compatible));
    if (!dc_) return false;
    HGDIOBJ old = SelectObject(dc_.get(), bitmap.get());
    if (!old || old == HGDI_ERROR) {
        dc_.reset();
        return false;
    }
    old_ = old;
    bitmap_ = std::move(bitmap);
    return true;
}

bool CMemoryPicture::Make(HDC compatible, int width, int height) {
    winowners::UniqueWindowDC screen;
    if (!compatible) screen = winowners::GetDCOwner(nullptr);
    winowners::UniqueBitmap bitmap(CreateCompatibleBitmap(compatible ? compatible : screen.get(), width, height));
    screen.reset();
    return Hold(compatible, std::move(bitmap));
}

void CMemoryPicture::Release() {
    // The bitmap leaves its DC before either goes.
    if (dc_ && old_) SelectObject(dc_.get(), old_);
    old_ = nullptr;
    dc_.reset();
    bitmap_.reset();
}

void CMemoryPicture::CopyTo(HDC target, const RECT& area) const {
    if (!dc_ || !target) return;
    BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, dc_.get(), area.left, area.top,
           SRCCOPY);
}

void CMemoryPicture::Paint(HWND window) const {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    CopyTo(dc, ps.rcPaint);
    EndPaint(window, &ps);
}

}  // namespace vimbrel::ui
