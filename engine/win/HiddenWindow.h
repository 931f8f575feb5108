// The engine's hidden message window: graph events and power broadcasts
// arrive here, on the thread that called Initialize.
#pragma once

#include <windows.h>

namespace camera {

// Its class and title; a test finds the window of its own process by the class.
constexpr char kHiddenWindowClass[] = "ZAVU_CAMERA_CLASS";
constexpr char kHiddenWindowTitle[] = "ZAVU_Camera_Wnd";

constexpr UINT WM_CAMERA_GRAPH_EVENT = WM_APP + 1;  // 0x8001
constexpr LPARAM kPlaybackGraphEvents = 2;
constexpr LPARAM kMonitorGraphEvents = 3;

HWND CreateHiddenWindow(HMODULE module);
// Destroys the window and removes its class, so that an unloaded library
// leaves no window procedure behind.
void DestroyHiddenWindow(HWND window, HMODULE module);

LRESULT CALLBACK CameraWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace camera
