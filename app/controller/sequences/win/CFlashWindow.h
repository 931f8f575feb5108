#pragma once
// The full-screen flash: a popup of one colour over the whole screen, the
// mouse cursor hidden and the notebook panel at a fixed brightness while
// it shows. A click on it or its timer turns it off.

#include "winowners/GdiOwners.h"

#include <windows.h>

#include "framework/CWindow.h"
#include "PanelAcpi.h"

namespace vimbrel::controller {

class CFlashWindow final : public framework::CWindow {
public:
    explicit CFlashWindow(IPanelAcpi& acpi) : acpi_(acpi) {}
    ~CFlashWindow() override;

    bool Create(HWND parent, BYTE red, BYTE green, BYTE blue);
    // On or off; milliseconds > 0 turns it off again after that time.
    void Flash(bool on, int milliseconds);
    bool IsOn() const { return on_; }
    int SavedBrightness() const { return savedBrightness_; }
    int ScreenWidth() const { return width_; }
    int ScreenHeight() const { return height_; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    static constexpr UINT_PTR kOffTimer = 1;
    static constexpr int kFlashBrightness = 15;

    IPanelAcpi& acpi_;
    winowners::UniqueBrush brush_;
    int width_ = 0;
    int height_ = 0;
    int savedBrightness_ = -1;
    // On and off come in pairs: the cursor's show count and the kept
    // brightness would otherwise drift (a click, then the sequence's off).
    bool on_ = false;
};

}  // namespace vimbrel::controller
