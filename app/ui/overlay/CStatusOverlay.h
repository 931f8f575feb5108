// The one-line status strip over the lower edge of the live preview: the
// text of the current mode, the running time, the icons of the picture
// settings in force and a state icon, drawn into a back buffer and copied
// to the screen in one block per update.
//
// The controller's recording, playback and self-timer threads call SetTime
// and SetStateIcon. Those calls do not draw on the caller's thread: they
// post their value to the strip's window and the user-interface thread
// draws it. A lock shared with those threads could be left held when the
// controller terminates one of them, and would freeze the interface.
#pragma once

#include "CMemoryPicture.h"
#include "GdiplusSession.h"
#include "IOverlayController.h"
#include "ModeMessages.h"
#include "OverlayLogic.h"
#include "winowners/GdiOwners.h"
#include "CSkinControl.h"

#include <windows.h>
#include <gdiplus.h>

#include <atomic>
#include <memory>
#include <string>

namespace vimbrel::ui {

// State icons.
enum OverlayStateIcon : int {
    kStateIconNone = 0,
    kStateIconTimer = 1,
    kStateIconRecording = 2,
    kStateIconPaused = 3,
};

// Skin colours of the strip.
constexpr int kOverlayBackgroundColourIndex = 8;
constexpr int kOverlayTextColourIndex = 9;

class CStatusOverlay : public CSkinControl {
public:
    explicit CStatusOverlay(IOverlayController& controller);
    ~CStatusOverlay() override;

    // Makes the strip on `parent` at `rect` (parent client coordinates)
    // and shows `mode`. 0 for a mode outside 0..5 (nothing made), or when
    // the window, a drawing or a state icon fails; then nothing is left.
    int Create(HWND parent, const RECT& rect, int mode);
    // Copies the settings again and draws the mode's fields; 0 for a mode
    // outside 0..5 or when nothing could be drawn.
    int SetMode(int mode);
    // A negative count takes the time off. Any thread; always 1.
    int SetTime(int seconds);
    // 0 none, 1 self-timer, 2 recording, 3 paused. Any thread; 0 when the
    // drawing could not be made (or, from another thread, handed over).
    int SetStateIcon(int icon);

    int CurrentMode() const { return mode_; }
    const std::wstring& TimeText() const { return timeText_; }
    // The back buffer, for reading what was drawn.
    HDC BackBuffer() const { return back_.Dc(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;

private:
    bool OnOwnThread() const;
    void ApplyTime(int seconds);
    int DrawStateIcon(int icon);
    // The current mode's fields from the snapshot; 0 when nothing was drawn.
    int DrawFields();
    void DrawIconRow();
    bool LoadStateIcons(HDC compatible);
    void CopyToWindow();
    void Release();

    CGdiplusSession gdiplus_;
    IOverlayController& controller_;
    int mode_ = kOverlayVideo;
    int width_ = 0, height_ = 0;
    Colour background_ = 0;
    Colour textColour_ = 0;
    winowners::UniqueBrush backgroundBrush_;
    CMemoryPicture back_;
    std::unique_ptr<Gdiplus::Bitmap> timerImage_;
    CMemoryPicture recordingIcon_;
    CMemoryPicture pauseIcon_;
    std::wstring timeText_;
    OverlaySettings snapshot_;
    // Read by the controller's threads to hand their calls over.
    std::atomic<HWND> window_{nullptr};
    std::atomic<DWORD> ownerThread_{0};
};

}  // namespace vimbrel::ui
