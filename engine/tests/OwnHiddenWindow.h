// The engine's hidden window of this process. Test programs run side by side
// in one prefix and each has hidden windows of its own, made and destroyed
// all the time; EnumWindows works from a list taken when it starts, where a
// FindWindowEx walk ends early when the window it continues from is gone.
#pragma once

#include "engine/win/HiddenWindow.h"

#include <windows.h>

#include <cstring>

namespace enginetest {

inline BOOL CALLBACK KeepIfOwnHiddenWindow(HWND window, LPARAM found) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char name[64] = {};
    if (pid != GetCurrentProcessId() || !GetClassNameA(window, name, sizeof name) ||
        std::strcmp(name, camera::kHiddenWindowClass) != 0) {
        return TRUE;
    }
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

inline HWND FindOwnHiddenWindow() {
    HWND found = nullptr;
    EnumWindows(KeepIfOwnHiddenWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

}  // namespace enginetest
