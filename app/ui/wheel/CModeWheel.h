// The round mode selector of the main window: six modes on a wheel drawn
// from 36 rotation frames, five clickable sectors cut from a colour map,
// hover highlights and tooltips, and a time-critical thread that plays
// the turns. The thread keeps the time and posts each frame to the
// window, which draws it: holding no drawing of its own, the thread ends
// within its stop's 50 ms, and ending it by force can leave no lock of
// GDI+ or the heap taken.
#pragma once

#include "CMemoryPicture.h"
#include "CWorkerThread.h"
#include "IWheelController.h"
#include "WheelAnimation.h"
#include "WheelLogic.h"
#include "winowners/GdiOwners.h"
#include "winowners/KernelOwners.h"
#include "CSkinControl.h"

#include <windows.h>
#include <gdiplus.h>

#include <memory>
#include <mutex>
#include <string>

namespace vimbrel::ui {

// The manual-reset event that wakes the animation thread.
constexpr const wchar_t* kWheelEventName = L"Zavu_Vimbrel_WEvent";
// The skin colour (counting from 0) behind the wheel.
constexpr int kWheelBackgroundColourIndex = 7;

class CModeWheel : public CSkinControl, private IWheelPainter {
public:
    explicit CModeWheel(IWheelController& controller);
    ~CModeWheel() override;

    // Makes the wheel on `parent` at `rect` with its pictures, tooltips and
    // animation thread. False, with no window and no thread, on any failure.
    bool Create(HWND parent, const RECT& rect);
    // The controller's mode change: 0 for a mode outside 0..5, else 1.
    int SetMode(int mode, bool animate);

    int ShownMode() const { return state_.ShownMode(); }
    int TargetMode() const { return state_.TargetMode(); }
    int CurrentFrame() const { return state_.CurrentFrame(); }
    int Hovered() const { return state_.Hovered(); }
    bool Animating() const { return state_.Animating(); }
    bool ThreadRunning() const { return thread_.Running(); }
    // Sector 1..5: its region and the box its tool covers.
    HRGN SectorRegion(int sector) const { return sectors_[sector - 1].region.get(); }
    RECT SectorBounds(int sector) const { return sectors_[sector - 1].bounds; }
    HWND Tooltip() const { return tooltip_; }
    // The picture on show; read it only while the wheel stands still.
    HDC Surface() const { return memory_.Dc(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;

private:
    struct Sector {
        winowners::UniqueRegion region;
        RECT bounds{};
    };

    // The animation thread's drawings (posted to the window) and pauses.
    void DrawLabel(int mode, int frame, bool selected) override;
    void DrawRotation(int frame) override;
    bool Pause(int ms) override;

    void DrawRotationFrame(int frame);
    void DrawLabelFrame(int mode, int frame, bool selected, bool highlight);
    // Clears to the background colour and lays "bg.jpg" over it.
    void DrawBackground();
    bool DrawPicture(Gdiplus::Graphics& graphics, const std::string& name, int x, int y);
    void CopyToWindow();
    void SetTooltips(int mode);
    int HitTest(LPARAM point) const;
    void OnMouseMove(LPARAM point);
    void OnButtonDown(LPARAM point);
    void RunAnimation();
    void StopAnimation();
    void Release();

    IWheelController& controller_;
    CWheelState state_;
    Colour background_ = 0;
    int width_ = 0, height_ = 0;
    // The surface is drawn on the user-interface thread; the lock keeps a
    // Release out of a drawing all the same.
    std::mutex drawing_;
    CMemoryPicture memory_;
    CMemoryPicture backgroundPicture_;
    Sector sectors_[kWheelSectorCount];
    std::wstring tips_[kWheelModeCount];
    HWND tooltip_ = nullptr;
    HCURSOR hand_ = nullptr;
    HCURSOR arrow_ = nullptr;
    winowners::UniqueHandle event_;
    CWorkerThread thread_;
};

}  // namespace vimbrel::ui
