// The picture of the current mode beside the preview (MODE0.JPG to
// MODE5.JPG), held in a memory bitmap and copied to the window.
#pragma once

#include "CMemoryPicture.h"
#include "framework/CWindow.h"

#include <windows.h>

namespace vimbrel::ui {

class CModePicture : public framework::CWindow {
public:
    CModePicture() = default;
    ~CModePicture() override { Destroy(); }

    // A visible child of `parent` at `rect`, showing mode 0. False when
    // the window or its memory bitmap cannot be made.
    bool Create(HWND parent, const RECT& rect);
    // 1 when the mode's picture is on show (at once when it already was);
    // 0 for a mode outside 0..5 or a picture that cannot be loaded, and
    // then the old picture stays.
    int ShowMode(int mode);

    // -1 before the first picture.
    int ShownMode() const { return shown_; }
    HDC Picture() const { return memory_.Dc(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    int width_ = 0, height_ = 0;
    int shown_ = -1;
    CMemoryPicture memory_;
};

}  // namespace vimbrel::ui
