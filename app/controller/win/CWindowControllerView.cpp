#include "CWindowControllerView.h"

#include "PanelMessages.h"

namespace vimbrel::controller {
namespace {

// A destroyed window must not be taken for a sent message.
bool SendTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (window == nullptr || !IsWindow(window)) return false;
    SendMessageW(window, message, wParam, lParam);
    return true;
}

}  // namespace

bool CWindowControllerView::EnableButton(ControllerWindow panel, std::uint32_t key, bool enable) {
    return SendTo(panel, ui::WM_PANEL_ENABLE_BUTTON, key, enable ? 1 : 0);
}

bool CWindowControllerView::SetToggle(ControllerWindow panel, std::uint32_t key, bool alternate) {
    return SendTo(panel, ui::WM_PANEL_SET_TOGGLE, key, alternate ? 1 : 0);
}

bool CWindowControllerView::ResetToggles(ControllerWindow panel) {
    return SendTo(panel, ui::WM_PANEL_RESET_TOGGLES, 0, 0);
}

bool CWindowControllerView::DisableAll(ControllerWindow panel) { return SendTo(panel, ui::WM_PANEL_DISABLE_ALL, 0, 0); }

bool CWindowControllerView::Show(ControllerWindow window, bool show) {
    if (window == nullptr || !IsWindow(window)) return false;
    ShowWindow(window, show ? SW_SHOW : SW_HIDE);
    return true;
}

bool CWindowControllerView::Minimize(ControllerWindow window) {
    if (window == nullptr || !IsWindow(window)) return false;
    ShowWindow(window, SW_MINIMIZE);
    return true;
}

bool CWindowControllerView::Close(ControllerWindow window) { return SendTo(window, WM_CLOSE, 0, 0); }

void CWindowControllerView::ReleaseMouseCapture() { ReleaseCapture(); }

bool CWindowControllerView::Send(ControllerWindow window, unsigned message, std::intptr_t wParam,
                                 std::intptr_t lParam) {
    return SendTo(window, message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
}

}  // namespace vimbrel::controller
