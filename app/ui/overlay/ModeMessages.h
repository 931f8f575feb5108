// Notices the controller sends the status strip and the function panel.
#pragma once

#include <windows.h>

namespace vimbrel::ui {

constexpr UINT WM_MODE_CHANGED = WM_USER + 200;    // 0x4C8, wParam ModeId
constexpr UINT WM_STATUS_REFRESH = WM_USER + 201;  // 0x4C9

}  // namespace vimbrel::ui
