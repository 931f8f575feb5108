#pragma once
// What the skinned panels need of the controller, answered by the
// controller: presses, releases and slider moves by key colour, the
// button tips, the language texts and the volumes the sliders start at.
// The controller itself has no virtual functions; this object stands
// between it and the panels.

#include <functional>
#include <string>

#include "CCameraController.h"
#include "IPanelController.h"

namespace vimbrel::controller {

class CPanelControllerAdapter final : public ui::IPanelController {
public:
    using TipSource = std::function<std::wstring(std::uint32_t key)>;
    using TextSource = std::function<std::wstring(const char* key)>;

    // controller is used, not owned. tips gives a button's tooltip, texts a
    // text of the language file by its key.
    CPanelControllerAdapter(CCameraController& controller, TipSource tips, TextSource texts)
        : controller_(controller), tips_(std::move(tips)), texts_(std::move(texts)) {}

    void OnButton(ui::Colour key) override { controller_.OnButton(key); }
    void OnButtonUp(ui::Colour key) override { controller_.OnButtonUp(key); }
    void OnSliderChanged(ui::Colour key, double value) override { controller_.OnSliderChanged(key, value); }
    std::wstring GetButtonTip(ui::Colour key) override { return tips_ ? tips_(key) : L""; }
    std::wstring LanguageText(const char* key) override { return texts_ && key != nullptr ? texts_(key) : L""; }
    // A slider starts at 0 when the engine cannot tell.
    double GetAudioVolume() override;
    double GetPlaybackVolume() override;
    void RegisterSliderListener(HWND window, int kind, UINT message) override {
        controller_.RegisterSliderListener(window, kind, message);
    }

private:
    CCameraController& controller_;
    TipSource tips_;
    TextSource texts_;
};

}  // namespace vimbrel::controller
