// Messages between the player's control bar, its dialog and its worker.
#pragma once

#include <windows.h>

namespace slideshow {

// A control-bar command for the dialog (wParam: the command, lParam 0).
constexpr UINT WM_PLAYER_COMMAND = 0x40A;
// The cursor moved: the dialog refreshes its buttons (wParam, lParam 0).
constexpr UINT WM_PLAYER_REFRESH = 0x40B;

}  // namespace slideshow
