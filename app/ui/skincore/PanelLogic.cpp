#include "PanelLogic.h"

namespace vimbrel::ui {

bool ToggleTipFollowsState(Colour key) {
    return key == MakeColour(0x00, 0x00, 0x96) || key == MakeColour(0x00, 0x00, 0xC8) ||
           key == MakeColour(0x00, 0x00, 0xFA) || key == MakeColour(0x00, 0x96, 0x96);
}

CPanelLogic::CPanelLogic(std::vector<PanelButtonTraits> buttons, IPanelEffects& effects) : effects_(effects) {
    buttons_.reserve(buttons.size());
    for (const PanelButtonTraits& traits : buttons) buttons_.push_back(Button{traits});
}

int CPanelLogic::IndexOf(Colour key) const {
    for (size_t i = 0; i < buttons_.size(); ++i)
        if (buttons_[i].traits.key == key) return static_cast<int>(i);
    return kNoButton;
}

ButtonFace CPanelLogic::RestingFace(size_t button) const {
    if (Alternate(button))
        return buttons_[button].enabled ? ButtonFace::AlternateNormal : ButtonFace::AlternateDisabled;
    return buttons_[button].enabled ? ButtonFace::Resting : ButtonFace::Disabled;
}

bool CPanelLogic::HoverFace(size_t button, ButtonFace& face) const {
    if (buttons_[button].traits.sliderArea) return false;
    face = Alternate(button) ? ButtonFace::AlternateHover : ButtonFace::Hover;
    return true;
}

bool CPanelLogic::PressedFace(size_t button, ButtonFace& face) const {
    if (buttons_[button].traits.sliderArea) return false;
    face = Alternate(button) ? ButtonFace::AlternatePressed : ButtonFace::Pressed;
    return true;
}

void CPanelLogic::ReturnToRest(int button) {
    if (Valid(button) && buttons_[button].enabled)
        effects_.DrawFace(static_cast<size_t>(button), RestingFace(static_cast<size_t>(button)), false);
}

void CPanelLogic::MouseMove(int hit) {
    if (!Valid(hit)) {
        effects_.ReleaseMouse();
        if (hovered_) ReturnToRest(hoveredIndex_);
        hovered_ = false;
        hoveredIndex_ = kNoButton;
        return;
    }
    // Held so that leaving the panel is seen.
    effects_.CaptureMouse();
    if (hit != hoveredIndex_) {
        ReturnToRest(hoveredIndex_);
        const size_t button = static_cast<size_t>(hit);
        if (buttons_[button].enabled) {
            ButtonFace face;
            if (HoverFace(button, face))
                effects_.DrawFace(button, face, false);
            else
                effects_.ReleaseMouse();  // the slider window takes the mouse from here
        }
        hoveredIndex_ = hit;
    }
    hovered_ = true;
}

void CPanelLogic::ButtonDown(int hit) {
    lastHit_ = hit;
    if (!Valid(hit) || !buttons_[hit].enabled) return;
    const size_t button = static_cast<size_t>(hit);
    ButtonFace face;
    if (PressedFace(button, face)) effects_.DrawFace(button, face, false);
    held_ = true;
    const Colour key = buttons_[button].traits.key;
    effects_.ButtonPressed(key);
    if (key == kZoomInKey || key == kZoomOutKey) effects_.StartRepeat();
}

void CPanelLogic::ButtonUp(int hit) {
    repeatCount_ = 1;
    effects_.StopRepeat();
    lastHit_ = hit;
    if (!Valid(hit) || !buttons_[hit].enabled) return;
    const size_t button = static_cast<size_t>(hit);
    ButtonFace face;
    if (HoverFace(button, face)) effects_.DrawFace(button, face, false);
    effects_.ButtonReleased(buttons_[button].traits.key);
    held_ = false;
}

// Repeats come on the 4th and 8th tick after a press, then on every tick
// from the 9th: a short tap zooms one step, holding zooms on smoothly.
void CPanelLogic::RepeatTick() {
    if (!held_) effects_.StopRepeat();
    if (!Valid(lastHit_)) return;
    if (repeatCount_ >= 9 || repeatCount_ % 4 == 0) effects_.ButtonPressed(buttons_[lastHit_].traits.key);
    ++repeatCount_;
}

void CPanelLogic::CaptureLost() {
    if (hovered_) ReturnToRest(hoveredIndex_);
    // The face under the pointer is gone: the next move draws it again.
    hovered_ = false;
    hoveredIndex_ = kNoButton;
    effects_.StopRepeat();
    held_ = false;
    // No button-up reaches a panel that lost the mouse: without this the
    // next press would repeat at once.
    repeatCount_ = 1;
}

void CPanelLogic::EnableButton(Colour key, bool enable) {
    const int index = IndexOf(key);
    if (index == kNoButton) return;
    buttons_[index].enabled = enable && !allDisabled_;
    effects_.DrawFace(static_cast<size_t>(index), RestingFace(static_cast<size_t>(index)), true);
}

void CPanelLogic::DisableAll() {
    allDisabled_ = true;
    for (size_t i = 0; i < buttons_.size(); ++i) {
        buttons_[i].enabled = false;
        effects_.DrawFace(i, RestingFace(i), true);
    }
}

void CPanelLogic::SetToggle(Colour key, bool alternate) {
    const int index = IndexOf(key);
    if (index == kNoButton || !buttons_[index].traits.toggle) return;
    const size_t button = static_cast<size_t>(index);
    buttons_[button].toggleState = alternate ? 2 : 1;
    effects_.DrawFace(button, RestingFace(button), true);
    if (ToggleTipFollowsState(key)) effects_.SetTip(button, alternate);
}

void CPanelLogic::ResetToggles() {
    for (size_t i = 0; i < buttons_.size(); ++i) {
        if (!buttons_[i].traits.toggle || buttons_[i].toggleState != 2) continue;
        buttons_[i].toggleState = 1;
        effects_.DrawFace(i, RestingFace(i), true);
        if (ToggleTipFollowsState(buttons_[i].traits.key)) effects_.SetTip(i, false);
    }
}

}  // namespace vimbrel::ui
