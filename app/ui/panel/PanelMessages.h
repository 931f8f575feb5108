// Messages between the controller and the skinned panels and sliders.
#pragma once

#include <windows.h>

namespace vimbrel::ui {

constexpr UINT WM_PANEL_RESET_TOGGLES = 0x4D2;
constexpr UINT WM_PANEL_ENABLE_BUTTON = 0x4D3;           // wParam key, lParam 1 enable / 0 disable
constexpr UINT WM_PANEL_SET_TOGGLE = 0x4D4;              // wParam key, lParam not 0: alternate
constexpr UINT WM_SLIDER_SHOW_IF_PARENT_HIDDEN = 0x4D5;  // wParam percent, lParam 0 hide
constexpr UINT WM_SLIDER_SHOW = 0x4D6;                   // wParam percent, lParam 0 hide
constexpr UINT WM_PANEL_SET_SLIDER = 0x4D7;              // wParam key, lParam 0 disable
constexpr UINT WM_PANEL_DISABLE_ALL = 0x4D8;

constexpr UINT_PTR kPanelRepeatTimer = 100;
constexpr UINT kPanelRepeatPeriodMs = 50;

// Which controller broadcast a slider listens to.
enum SliderListenerKind : int {
    kAudioVolumeListener = 0,
    kPlaybackPositionListener = 1,
};

}  // namespace vimbrel::ui
