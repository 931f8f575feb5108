// The slide-show player: a full-screen dialog that finds the pictures,
// starts the worker that plays them, and answers keys, the control bar's
// commands and direct navigation on the user-interface thread.
#pragma once

#include "CPlayerControlBar.h"
#include "DibBuffer.h"
#include "GdiplusSession.h"
#include "PlayerRules.h"
#include "SlideShowWorker.h"
#include "winowners/GdiOwners.h"
#include "framework/CDialog.h"

#include <windows.h>
#include <gdiplus.h>

#include <memory>
#include <optional>
#include <string>

namespace slideshow {

class CPlayerDialog : public framework::CDialog {
public:
    // imageFolder empty: the main program's image folder under the data root.
    explicit CPlayerDialog(std::wstring imageFolder = std::wstring());
    ~CPlayerDialog() override;

    // Moves the cursor and draws the picture it lands on; 1 when a picture
    // was drawn, else 0 (the screen stays as it was).
    int Navigate(NavigateTarget target);
    // Enables the bar's buttons by the cursor's neighbours and sets the
    // play/pause toggle; 0 only when the list cannot answer.
    int UpdateButtons();

    CPlayerControlBar& ControlBar() { return controlBar_; }
    const CWorkerThread& Worker() const { return worker_; }

protected:
    BOOL OnInitDialog() override;
    void OnCancel() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool SetUpWindow();
    bool LoadFilmFrame();
    void OnAction(PlayerAction action);
    void TogglePause();
    void SwitchEffect();
    // Esc: the worker is told to stop, and the dialog closes.
    void Stop();
    // Waits for the worker, then lets the list and every buffer go; ends the dialog.
    void Close();
    void ReleaseDrawing();
    void Paint();

    std::wstring imageFolder_;
    CPlayerControlBar controlBar_;
    CWorkerThread worker_;
    std::optional<vimbrel::ui::CGdiplusSession> gdiplus_;
    int screenWidth_ = 0;
    int screenHeight_ = 0;
    winowners::UniqueWindowDC windowDc_;
    std::unique_ptr<CDibBuffer> memory_;
    winowners::UniqueBrush blackBrush_;
    std::unique_ptr<Gdiplus::Graphics> graphics_;
    std::unique_ptr<CDibBuffer> filmFrame_;
    HICON icon_ = nullptr;
    bool closed_ = false;
};

}  // namespace slideshow
