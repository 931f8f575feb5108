// The main window: a skinned dialog that refuses a second copy of the
// program, lays its children out on the areas of the skin's mask, routes
// window messages to the controller, hosts the camera-button window, and
// decides when it may be visible. Its modal loop is the program's loop.
#pragma once

#include "CBrowseMode.h"
#include "CHiddenMessageWindow.h"
#include "CInstanceMutexes.h"
#include "CMainWindowChildren.h"
#include "CPhotoCanvas.h"
#include "CSkinDialog.h"
#include "CSkinPanel.h"
#include "CSplashWindow.h"
#include "ControllerView.h"
#include "MainWindowRules.h"

#include <array>
#include <memory>

namespace vimbrel::mainwindow {

// The timer that considers the frequency prompt after each showing.
constexpr UINT_PTR kPromptTimerId = 1111;
constexpr UINT kPromptDelayMs = 500;
constexpr UINT WM_MOTION_EVENT = 0x52C;
constexpr int kPreviewControlId = 0xFFFF;
constexpr UINT_PTR kAboutToolId = 1234;

// The areas of the main skin's mask.
namespace area {
constexpr ui::Colour kModePicture = 0xAAAAAA;
constexpr ui::Colour kProgramControl = 0xB4B4B4;
constexpr ui::Colour kMediaTabs = 0xBEBEBE;
constexpr ui::Colour kBanner = 0xC8C8C8;
constexpr ui::Colour kModePanels = 0xD2D2D2;
constexpr ui::Colour kFunctionPanel = 0xDCDCDC;
constexpr ui::Colour kStatusOverlay = 0xE6E6E6;
constexpr ui::Colour kModeWheel = 0xF0F0F0;
constexpr ui::Colour kPreview = 0xFAFAFA;
}  // namespace area

class CMainDialog : public ui::CSkinDialog {
public:
    // Checks for a running copy first: a second copy ends the process here.
    // children makes the media tab strip; used, not owned.
    explicit CMainDialog(CMainWindowChildren& children);
    ~CMainDialog() override;

    HWND Preview() const { return preview_; }
    HWND HiddenWindow() const { return hidden_.Handle(); }
    bool MayShow() const { return gate_.MayShow(); }
    bool PreTranslateMessage(MSG& msg) override;

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreatePreviewAndCanvas();
    void CreateControllerChildren();
    void CreateBrowseTabs();
    void CreatePanels();
    void CreateTooltip();
    void OnPromptTimer();
    void PaintMinimized();
    bool AreaRect(ui::Colour key, controller::ControllerRect& out) const;

    CMainWindowChildren& children_;
    CInstanceMutexes mutexes_;
    CShowGate gate_;
    HICON icon_ = nullptr;
    HWND preview_ = nullptr;
    HWND tooltip_ = nullptr;
    canvas::CPhotoCanvas canvas_;
    // After the canvas: browse mode lets go of it and of the tab strip first.
    std::unique_ptr<controller::CBrowseMode> browse_;
    std::array<std::unique_ptr<ui::CSkinPanel>, 6> modePanels_;
    std::unique_ptr<ui::CSkinPanel> programControl_;
    CHiddenMessageWindow hidden_;
};

}  // namespace vimbrel::mainwindow
