// The engine's hidden message window: graph events and power broadcasts
// arrive here, on the thread that called Initialize.
#pragma once

#include <windows.h>

namespace camera {

constexpr UINT WM_CAMERA_GRAPH_EVENT = WM_APP + 1;  // 0x8001
constexpr LPARAM kPlaybackGraphEvents = 2;
constexpr LPARAM kMonitorGraphEvents = 3;

HWND CreateHiddenWindow(HMODULE module);
// Destroys the window and removes its class, so that an unloaded library
// leaves no window procedure behind.
void DestroyHiddenWindow(HWND window, HMODULE module);

LRESULT CALLBACK CameraWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace camera
