// A plain top-level window for the engine to put its video windows into.
#pragma once

#include <windows.h>

namespace enginetest {

class CTestHostWindow {
public:
    CTestHostWindow(int width = 320, int height = 240);
    ~CTestHostWindow();
    CTestHostWindow(const CTestHostWindow&) = delete;
    CTestHostWindow& operator=(const CTestHostWindow&) = delete;

    HWND Handle() const { return window_; }

private:
    HWND window_ = nullptr;
};

}  // namespace enginetest
