// A window that stands for the main dialog during motion monitoring: it
// counts the motion messages the engine posts to it.
#pragma once

#include <windows.h>

namespace enginetest {

class CMotionMessageWindow {
public:
    CMotionMessageWindow();
    ~CMotionMessageWindow();
    CMotionMessageWindow(const CMotionMessageWindow&) = delete;
    CMotionMessageWindow& operator=(const CMotionMessageWindow&) = delete;

    HWND Handle() const { return window_; }
    int Count() const { return count_; }
    // Whether some motion message carried a parameter other than 0.
    bool SawParameters() const { return sawParameters_; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    int count_ = 0;
    bool sawParameters_ = false;
};

}  // namespace enginetest
