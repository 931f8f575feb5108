// What a skinned button panel does with the mouse, its repeat timer and the
// controller's messages, apart from how it draws: the panel window hit-tests
// and hands the button index here; the answers come back through
// IPanelEffects.
#pragma once

#include "SkinTypes.h"

#include <cstddef>
#include <vector>

namespace vimbrel::ui {

// Faces a button can be drawn with. The panel faces come from the
// whole-panel images, the alternate ones from a toggle's own images.
enum class ButtonFace {
    Resting,
    Pressed,
    Hover,
    Disabled,
    AlternateNormal,
    AlternateHover,
    AlternatePressed,
    AlternateDisabled,
};

// Keys with a meaning of their own to the panel.
constexpr Colour kZoomInKey = MakeColour(0x00, 0x32, 0x64);   // "003264"
constexpr Colour kZoomOutKey = MakeColour(0x00, 0x32, 0x96);  // "003296"
// The toggles whose tooltip follows their state (record and pause keys).
bool ToggleTipFollowsState(Colour key);

class IPanelEffects {
public:
    virtual ~IPanelEffects() = default;
    // `lasting`: a resting face, drawn into the panel's picture as well as
    // the window; otherwise a passing face, drawn into the window only.
    virtual void DrawFace(size_t button, ButtonFace face, bool lasting) = 0;
    virtual void CaptureMouse() = 0;
    virtual void ReleaseMouse() = 0;
    virtual void StartRepeat() = 0;
    virtual void StopRepeat() = 0;
    virtual void ButtonPressed(Colour key) = 0;
    virtual void ButtonReleased(Colour key) = 0;
    // The button's tooltip: the pause text, or the controller's text.
    virtual void SetTip(size_t button, bool pauseTip) = 0;
};

struct PanelButtonTraits {
    Colour key = 0;
    bool toggle = false;      // a usable toggle (all four images loaded)
    bool sliderArea = false;  // a slider window sits on it
};

class CPanelLogic {
public:
    static constexpr int kNoButton = -1;

    CPanelLogic(std::vector<PanelButtonTraits> buttons, IPanelEffects& effects);

    size_t ButtonCount() const { return buttons_.size(); }
    int IndexOf(Colour key) const;
    bool Enabled(size_t button) const { return buttons_[button].enabled; }
    int ToggleState(size_t button) const { return buttons_[button].toggleState; }
    ButtonFace RestingFace(size_t button) const;

    // `hit`: the first button whose region holds the pointer, or kNoButton.
    void MouseMove(int hit);
    void ButtonDown(int hit);
    void ButtonUp(int hit);
    void RepeatTick();
    void CaptureLost();

    void EnableButton(Colour key, bool enable);
    void DisableAll();
    void SetToggle(Colour key, bool alternate);
    void ResetToggles();

private:
    struct Button {
        PanelButtonTraits traits;
        bool enabled = true;
        int toggleState = 1;  // 1: panel faces, 2: alternate faces
    };

    bool Valid(int index) const { return index >= 0 && static_cast<size_t>(index) < buttons_.size(); }
    bool Alternate(size_t button) const { return buttons_[button].toggleState == 2; }
    // Transient faces; false for a slider's area, which has none.
    bool HoverFace(size_t button, ButtonFace& face) const;
    bool PressedFace(size_t button, ButtonFace& face) const;
    void ReturnToRest(int button);

    std::vector<Button> buttons_;
    IPanelEffects& effects_;
    bool allDisabled_ = false;
    int hoveredIndex_ = -100;  // none yet
    bool hovered_ = false;
    int lastHit_ = kNoButton;
    bool held_ = false;
    int repeatCount_ = 1;
};

}  // namespace vimbrel::ui
