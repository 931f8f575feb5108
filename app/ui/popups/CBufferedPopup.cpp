#include "CBufferedPopup.h"

namespace vimbrel::ui {

bool CBufferedPopup::MakePicture() {
    HDC window = GetDC(Handle());
    const bool made = picture_.Make(window, width_, height_);
    ReleaseDC(Handle(), window);
    if (!made) Destroy();
    return made;
}

void CBufferedPopup::PaintTo(HDC dc, const RECT& area) {
    if (picture_) picture_.CopyTo(dc, area);
}

void CBufferedPopup::Present() {
    if (!Handle() || !picture_) return;
    HDC window = GetDC(Handle());
    PaintTo(window, RECT{0, 0, width_, height_});
    ReleaseDC(Handle(), window);
}

LRESULT CBufferedPopup::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // The picture covers the whole popup.
    if (message == WM_ERASEBKGND) return 1;
    return CPopupWindow::WindowProc(message, wParam, lParam);
}

}  // namespace vimbrel::ui
