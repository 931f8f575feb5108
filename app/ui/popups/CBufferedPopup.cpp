#include "CBufferedPopup.h"
#include "winowners/GdiOwners.h"

namespace vimbrel::ui {

bool CBufferedPopup::MakePicture() {
    const bool made = picture_.Make(winowners::GetDCOwner(Handle()).get(), width_, height_);
    if (!made) Destroy();
    return made;
}

void CBufferedPopup::PaintTo(HDC dc, const RECT& area) {
    if (picture_) picture_.CopyTo(dc, area);
}

void CBufferedPopup::Present() {
    if (!Handle() || !picture_) return;
    PaintTo(winowners::GetDCOwner(Handle()).get(), RECT{0, 0, width_, height_});
}

LRESULT CBufferedPopup::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // The picture covers the whole popup.
    if (message == WM_ERASEBKGND) return 1;
    return CPopupWindow::WindowProc(message, wParam, lParam);
}

}  // namespace vimbrel::ui
