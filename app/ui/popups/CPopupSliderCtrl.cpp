#include "CPopupSliderCtrl.h"

#include <commctrl.h>

namespace vimbrel::ui {

bool CPopupSliderCtrl::Create(HWND parent, const RECT& rect) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    return CWindow::Create(0, TRACKBAR_CLASSW, L"", WS_CHILD | WS_VISIBLE | TBS_VERT | TBS_BOTH | TBS_NOTICKS, rect,
                           parent, kPopupSliderControlId);
}

HBRUSH CPopupSliderCtrl::Brush() {
    if (!brush_) {
        brush_.reset(CreateSolidBrush(background_));
        GetClientRect(Handle(), &client_);
    }
    return brush_.get();
}

bool CPopupSliderCtrl::OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_CTLCOLORSTATIC) {
        // The brush the trackbar erases with when it erases by itself.
        SetBkColor(reinterpret_cast<HDC>(wParam), background_);
        result = reinterpret_cast<LRESULT>(Brush());
        return result != 0;
    }
    if (message != WM_NOTIFY) return false;
    auto* draw = reinterpret_cast<NMCUSTOMDRAW*>(lParam);
    if (draw->hdr.code != NM_CUSTOMDRAW || draw->hdr.hwndFrom != Handle()) return false;
    if (draw->dwDrawStage == CDDS_PREPAINT) {
        if (HBRUSH brush = Brush()) FillRect(draw->hdc, &client_, brush);
        result = CDRF_NOTIFYITEMDRAW;
        return true;
    }
    // Asking for item notifications also asks whether to erase: the
    // background is already in the body colour, the system's would hide it.
    if (draw->dwDrawStage == CDDS_PREERASE) {
        result = CDRF_SKIPDEFAULT;
        return true;
    }
    return false;
}

void CPopupSliderCtrl::OnDestroy() { brush_.reset(); }

LRESULT CPopupSliderCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETFOCUS: SetFocus(nullptr); return 0;
    default: break;
    }
    return CSkinControl::WindowProc(message, wParam, lParam);
}

}  // namespace vimbrel::ui
