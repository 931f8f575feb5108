#include "CPopupSliderCtrl.h"

#include <commctrl.h>

namespace vimbrel::ui {

bool CPopupSliderCtrl::Create(HWND parent, const RECT& rect) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    return CWindow::Create(0, TRACKBAR_CLASSW, L"", WS_CHILD | WS_VISIBLE | TBS_VERT | TBS_BOTH | TBS_NOTICKS,
                           rect, parent, kPopupSliderControlId);
}

bool CPopupSliderCtrl::OnReflectedMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
    if (message != WM_NOTIFY) return false;
    auto* draw = reinterpret_cast<NMCUSTOMDRAW*>(lParam);
    if (draw->hdr.code != NM_CUSTOMDRAW || draw->hdr.hwndFrom != Handle()) return false;
    if (draw->dwDrawStage != CDDS_PREPAINT) return false;
    if (!brush_) {
        brush_.reset(CreateSolidBrush(background_));
        GetClientRect(Handle(), &client_);
    }
    if (brush_) FillRect(draw->hdc, &client_, brush_.get());
    result = CDRF_NOTIFYITEMDRAW;
    return true;
}

LRESULT CPopupSliderCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETFOCUS:
        SetFocus(nullptr);
        return 0;
    case WM_DESTROY:
        brush_.reset();
        break;
    default:
        break;
    }
    return CWindow::WindowProc(message, wParam, lParam);
}

}  // namespace vimbrel::ui
