// The base of the skin's own windows. What a control drew with (pictures,
// brushes, tooltips, the objects of its child windows) is let go of in
// OnDestroy, which the base calls on WM_DESTROY before the default handling;
// a control's window procedure ends in CSkinControl::WindowProc.
#pragma once

#include "framework/CWindow.h"

#include <windows.h>

namespace vimbrel::ui {

class CSkinControl : public framework::CWindow {
protected:
    // The window is being destroyed; its child windows still exist.
    virtual void OnDestroy() = 0;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_DESTROY) OnDestroy();
        return framework::CWindow::WindowProc(message, wParam, lParam);
    }
};

}  // namespace vimbrel::ui
