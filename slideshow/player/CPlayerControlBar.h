// The slide-show player's control bar: the skinned button panel as a
// topmost layered pop-up at the bottom centre of the screen, fading out
// with the mouse cursor after three still seconds and back in on any
// movement. Releases over its buttons post player commands to the owner;
// the keys the player knows are passed on to it.
#pragma once

#include "BarFade.h"
#include "CSkinPanel.h"
#include "IPanelController.h"
#include "PanelMessages.h"

#include <windows.h>

#include <string>

namespace slideshow {

// The bar's side of the panel's controller: tooltips from the player's
// string table by key colour; presses need no controller here.
class CPlayerBarTexts : public vimbrel::ui::IPanelController {
public:
    void OnButton(vimbrel::ui::Colour) override {}
    void OnButtonUp(vimbrel::ui::Colour) override {}
    void OnSliderChanged(vimbrel::ui::Colour, double) override {}
    std::wstring GetButtonTip(vimbrel::ui::Colour key) override;
    std::wstring LanguageText(const char* key) override;
    double GetAudioVolume() override { return 0.0; }
    double GetPlaybackVolume() override { return 0.0; }
    void RegisterSliderListener(HWND, int, UINT) override {}
};

class CPlayerControlBar : private CPlayerBarTexts, public vimbrel::ui::CSkinPanel {
public:
    static constexpr UINT_PTR kFadeTimer = 50;
    static constexpr UINT kFadeTimerPeriodMs = 100;

    CPlayerControlBar();
    ~CPlayerControlBar() override;

    // The bar of the owner window `parent`, skin `skinName` from
    // `skinSource` (empty: the program's own resources). It moves itself to
    // the bottom centre of the screen and stays hidden until shown. True
    // when the window exists.
    bool Create(HWND parent, int x, int y, const std::wstring& skinSource, const std::wstring& skinName);

    // state 1: the toggle's panel faces, 2: its alternate faces.
    void SetButtonState(vimbrel::ui::Colour key, int state, bool redraw);
    void EnableButton(vimbrel::ui::Colour key, bool enable);

    int Alpha() const { return fade_.Alpha(); }
    int ButtonState(vimbrel::ui::Colour key) const;
    bool ButtonEnabled(vimbrel::ui::Colour key) const;
    std::wstring ToolText(vimbrel::ui::Colour key) const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    bool ReadConfiguration(const std::wstring& panelName, vimbrel::ui::PanelSkinConfig& config) override;
    bool CreatePanelWindow(HWND parent, int x, int y, int width, int height) override;
    bool CreatesSliders() const override { return false; }
    UINT_PTR ToolIdOf(size_t button) const override { return button + 1; }

    void DrawFace(size_t button, vimbrel::ui::ButtonFace face, bool lasting) override;
    void ButtonPressed(vimbrel::ui::Colour key) override;
    void ButtonReleased(vimbrel::ui::Colour key) override;

private:
    void ApplyAlpha(int alpha);
    void OnFadeTimer();
    bool KeyForOwner(WPARAM key) const;

    HWND owner_ = nullptr;
    CBarFade fade_;
    bool cursorHidden_ = false;
};

}  // namespace slideshow
