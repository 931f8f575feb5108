// Private messages the picture windows pass on to the main window.
#pragma once

#include <windows.h>

namespace vimbrel::ui {

// wParam 1 shows the main window, 0 hides it. The splash passes it on to
// its owner.
constexpr UINT WM_SHOW_MAIN_WINDOW = WM_USER + 123;

}  // namespace vimbrel::ui
