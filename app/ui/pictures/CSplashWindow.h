// The about picture in the middle of the screen while the main dialog
// builds itself.
#pragma once

#include "GdiplusSession.h"
#include "CMemoryPicture.h"
#include "framework/CWindow.h"

#include <windows.h>

namespace vimbrel::ui {

class CSplashWindow : public framework::CWindow {
public:
    CSplashWindow() = default;  // starts GDI+ for its own picture
    ~CSplashWindow() override { Destroy(); }

    // Shows the picture centred on the screen, owned by `owner`, fading
    // in. False, with nothing shown, when the picture cannot be loaded or
    // the window cannot be made.
    bool Create(HWND owner);

    HWND Owner() const { return owner_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    CGdiplusSession gdiplus_;
    HWND owner_ = nullptr;
    int width_ = 0, height_ = 0;
    CMemoryPicture memory_;
};

}  // namespace vimbrel::ui
