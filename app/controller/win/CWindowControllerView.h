#pragma once
// The controller's windows as real windows: the skinned panels get their
// panel messages, the rest plain show, minimize, close and sent notices.

#include <windows.h>

#include "ControllerView.h"

namespace vimbrel::controller {

class CWindowControllerView final : public IControllerView {
public:
    bool EnableButton(ControllerWindow panel, std::uint32_t key, bool enable) override;
    bool SetToggle(ControllerWindow panel, std::uint32_t key, bool alternate) override;
    bool ResetToggles(ControllerWindow panel) override;
    bool DisableAll(ControllerWindow panel) override;
    bool Show(ControllerWindow window, bool show) override;
    bool Minimize(ControllerWindow window) override;
    bool Close(ControllerWindow window) override;
    void ReleaseMouseCapture() override;
    bool Send(ControllerWindow window, unsigned message, std::intptr_t wParam, std::intptr_t lParam) override;
};

}  // namespace vimbrel::controller
