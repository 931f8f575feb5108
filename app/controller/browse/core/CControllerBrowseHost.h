#pragma once
// Browse mode's view of the one controller object.

#include "BrowsePorts.h"
#include "CCameraController.h"

namespace vimbrel::controller {

class CControllerBrowseHost final : public IBrowseHost {
public:
    explicit CControllerBrowseHost(CCameraController& controller) : controller_(controller) {}

    bool IsStarted() const override { return controller_.IsStarted() != 0; }
    int ModeId() const override { return controller_.GetMode(); }
    const EngineApi* LoadedEngine() const override;
    ControllerWindow CanvasWindow() const override { return controller_.PhotoCanvas(); }
    int EnablePanelButton(int panel, std::uint32_t key, int enable) override {
        return controller_.EnablePanelButton(panel, key, enable);
    }
    int SetPanelToggle(int panel, std::uint32_t key, int state) override {
        return controller_.SetPanelToggle(panel, key, state);
    }
    int NotifySliderListeners(int kind, std::intptr_t wParam, std::intptr_t lParam) override {
        return controller_.NotifySliderListeners(kind, wParam, lParam);
    }
    int SetOverlayTime(int seconds) override { return controller_.SetOverlayTime(seconds); }
    int RefreshOverlay() override { return controller_.RefreshOverlay(); }

private:
    CCameraController& controller_;
};

}  // namespace vimbrel::controller
