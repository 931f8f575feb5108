#pragma once
// Browse mode's view of the one controller object.

#include "BrowsePorts.h"
#include "CCameraController.h"

namespace vimbrel::controller {

class CControllerBrowseHost final : public IBrowseHost {
public:
    explicit CControllerBrowseHost(CCameraController& controller) : m_controller(controller) {}

    bool IsStarted() const override { return m_controller.IsStarted() != 0; }
    int ModeId() const override { return m_controller.GetMode(); }
    const EngineApi* LoadedEngine() const override;
    ControllerWindow CanvasWindow() const override { return m_controller.PhotoCanvas(); }
    int EnablePanelButton(int panel, std::uint32_t key, int enable) override {
        return m_controller.EnablePanelButton(panel, key, enable);
    }
    int SetPanelToggle(int panel, std::uint32_t key, int state) override {
        return m_controller.SetPanelToggle(panel, key, state);
    }
    int NotifySliderListeners(int kind, std::intptr_t wParam, std::intptr_t lParam) override {
        return m_controller.NotifySliderListeners(kind, wParam, lParam);
    }
    int SetOverlayTime(int seconds) override { return m_controller.SetOverlayTime(seconds); }
    int RefreshOverlay() override { return m_controller.RefreshOverlay(); }

private:
    CCameraController& m_controller;
};

}  // namespace vimbrel::controller
