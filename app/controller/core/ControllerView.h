#pragma once
// The windows the controller drives, as it sees them: the skinned mode
// panels, the preview and the photo canvas, the main window, and the
// windows of the status overlay, mode wheel, mode picture, function panel
// and media tab strip. On Windows the panels and notices are messages to
// real windows; tests record the calls.

#include <cstdint>

#include "EngineApi.h"

namespace vimbrel::controller {

using ControllerWindow = EngineWindow;

struct ControllerRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Notices the controller sends to its windows, with the values the
// receivers know them by.
constexpr unsigned kModeChangedMessage = 0x4C8;  // wParam ModeId
constexpr unsigned kStatusRefreshMessage = 0x4C9;
constexpr unsigned kBrowseRefreshMessage = 0x4DC;

// Window operations. Each answers false when the window does not exist.
class IControllerView {
public:
    virtual ~IControllerView() = default;
    // Skinned panels.
    virtual bool EnableButton(ControllerWindow panel, std::uint32_t key, bool enable) = 0;
    virtual bool SetToggle(ControllerWindow panel, std::uint32_t key, bool alternate) = 0;
    virtual bool ResetToggles(ControllerWindow panel) = 0;
    virtual bool DisableAll(ControllerWindow panel) = 0;
    // Any window: panels, preview, canvas.
    virtual bool Show(ControllerWindow window, bool show) = 0;
    // The main window.
    virtual bool Minimize(ControllerWindow window) = 0;
    virtual bool Close(ControllerWindow window) = 0;
    // Lets go of the mouse before a dialog of its own opens.
    virtual void ReleaseMouseCapture() = 0;
    // A notice sent (not posted): the overlay's refresh and mode, the tab
    // strip's mode and redraw, a slider listener's message.
    virtual bool Send(ControllerWindow window, unsigned message, std::intptr_t wParam, std::intptr_t lParam) = 0;
};

// The windows of the overlay, wheel, mode picture, function panel and tab
// strip, made and kept by their own code. A create answers the new window,
// or null; the others answer as the window's own operation does, 0 when the
// window is missing.
class IControllerWindows {
public:
    virtual ~IControllerWindows() = default;
    virtual ControllerWindow CreateStatusOverlay(ControllerWindow parent, const ControllerRect& rect, int modeId) = 0;
    virtual ControllerWindow CreateModeWheel(ControllerWindow parent, const ControllerRect& rect) = 0;
    virtual ControllerWindow CreateModePicture(ControllerWindow parent, const ControllerRect& rect) = 0;
    virtual ControllerWindow CreateFunctionPanel(ControllerWindow parent, const ControllerRect& rect) = 0;
    virtual int SetOverlayTime(int seconds) = 0;
    virtual int SetOverlayIcon(int icon) = 0;
    virtual int SetWheelMode(int modeId, int animate) = 0;
    virtual int ShowModePicture(int modeId) = 0;
    virtual int SetFunctionPanelMode(int modeId) = 0;
    virtual int RelayoutFunctionPanel() = 0;
    virtual int UpdateItemPopup(int settingId) = 0;
    // The tab strip: the tab of a media kind, and whether it may be left
    // (1 saved, 2 cancel, 7 continue).
    virtual int SelectBrowseTab(int mediaKind) = 0;
    virtual int QueryLeaveBrowse() = 0;
    // The modal about box over owner; 0 when it could not be shown.
    virtual int ShowAbout(ControllerWindow owner) = 0;
    // Deletes the overlay and the function panel at the program's end.
    virtual void DestroyWindows() = 0;
};

}  // namespace vimbrel::controller
