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
        : m_controller(controller), m_tips(std::move(tips)), m_texts(std::move(texts)) {}

    void OnButton(ui::Colour key) override { m_controller.OnButton(key); }
    void OnButtonUp(ui::Colour key) override { m_controller.OnButtonUp(key); }
    void OnSliderChanged(ui::Colour key, double value) override {
        m_controller.OnSliderChanged(key, value);
    }
    std::wstring GetButtonTip(ui::Colour key) override { return m_tips ? m_tips(key) : L""; }
    std::wstring LanguageText(const char* key) override {
        return m_texts && key != nullptr ? m_texts(key) : L"";
    }
    // A slider starts at 0 when the engine cannot tell.
    double GetAudioVolume() override;
    double GetPlaybackVolume() override;
    void RegisterSliderListener(HWND window, int kind, UINT message) override {
        m_controller.RegisterSliderListener(window, kind, message);
    }

private:
    CCameraController& m_controller;
    TipSource m_tips;
    TextSource m_texts;
};

}  // namespace vimbrel::controller
