// The slide show's screen-size buffers, made once from the player window:
// the window's own device context, the composition buffer (the next picture
// is composed there before it reaches the screen), the blend buffer (the
// cross-fade mixes there; the player repaints from it while cross-fading)
// and the film strip's two buffers (the player repaints from the second in
// every other mode).
#pragma once

#include "DibBuffer.h"
#include "winowners/GdiOwners.h"

#include <windows.h>

#include <memory>

namespace slideshow {

class CScreenBuffers {
public:
    // For the player window, as large as the primary screen. Null when the
    // window has no device context or a buffer cannot be made.
    static std::unique_ptr<CScreenBuffers> ForWindow(HWND window);
    // For any target device context of the given size; the caller keeps the
    // context (tests draw into a memory context instead of a window).
    static std::unique_ptr<CScreenBuffers> ForTarget(HDC target, int width, int height);
    ~CScreenBuffers();
    CScreenBuffers(const CScreenBuffers&) = delete;
    CScreenBuffers& operator=(const CScreenBuffers&) = delete;

    HWND Window() const { return window_; }
    HDC Target() const { return target_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    CDibBuffer& Composition() const { return *composition_; }
    CDibBuffer& Blend() const { return *blend_; }
    CDibBuffer& Strip() const { return *strip_; }
    CDibBuffer& StripShown() const { return *stripShown_; }

private:
    CScreenBuffers() = default;
    bool MakeBuffers();

    HWND window_ = nullptr;
    winowners::UniqueWindowDC ownTarget_;  // the window's DC, when the buffers took it
    HDC target_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    std::unique_ptr<CDibBuffer> composition_;
    std::unique_ptr<CDibBuffer> blend_;
    std::unique_ptr<CDibBuffer> strip_;
    std::unique_ptr<CDibBuffer> stripShown_;
};

// The player's buffers: made once on the worker thread, kept until the
// process ends. 1 when they exist afterwards.
int CreateScreenBuffers(HWND window);
// Null until CreateScreenBuffers has succeeded.
CScreenBuffers* SharedScreenBuffers();
// Lets the buffers go, with the window's device context, once the worker
// that draws with them has ended; a later CreateScreenBuffers (a player
// window opened again in the same process) makes fresh ones for its window.
void ReleaseScreenBuffers();

}  // namespace slideshow
