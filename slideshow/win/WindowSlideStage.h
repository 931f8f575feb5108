// The slide loop's stage on Windows: pictures decoded with GDI+, the
// transitions drawn into the player's window through the screen buffers,
// the player's event for every wait.
#pragma once

#include "DissolveOrder.h"
#include "ScreenBuffers.h"
#include "SlideLoop.h"

#include <windows.h>
#include <gdiplus.h>

#include <memory>

namespace slideshow {

class CWindowSlideStage : public ISlideStage {
public:
    // notify receives WM_PLAYER_REFRESH whenever the cursor moves (may be null).
    CWindowSlideStage(CScreenBuffers& buffers, HWND notify, HANDLE event, RandomSource random);

    void NotifyCursorMoved() override;
    void ClearScreen() override;
    bool LoadPicture(const std::u16string& name) override;
    void ReleasePicture() override;
    bool RunTransition(int mode) override;
    bool WaitForEvent(std::uint32_t milliseconds) override;
    bool EventSet() override;

private:
    CScreenBuffers& buffers_;
    HWND notify_;
    HANDLE event_;
    RandomSource random_;
    std::unique_ptr<Gdiplus::Bitmap> picture_;
};

// The player worker's call: the process's list, buffers and event, the
// window the buffers were made from, the C library's random numbers.
// 0 also when the screen buffers have not been made.
int PlaySlides(int mode, int intervalMs);

}  // namespace slideshow
