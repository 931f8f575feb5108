#include "CMainDialog.h"

#include "CFreqDialog.h"
#include "CLanguageText.h"
#include "CameraControllerInstance.h"
#include "DataRoot.h"
#include "RegistrySettingsStore.h"
#include "SystemPorts.h"
#include "MainDialogIds.h"
#include "MainWindowMessages.h"
#include "PhotoCanvasIds.h"
#include "SkinPictures.h"
#include "WideText.h"

#include <windowsx.h>

namespace vimbrel::mainwindow {
namespace {

controller::CCameraController& Controller() { return controller::GetCameraController(); }

// The mode panels in ModeId order, all at one point of the skin.
constexpr const wchar_t* kModePanelNames[6] = {L"Mode_Video", L"Mode_VideoOnly", L"Mode_Audio",
                                               L"Mode_Image", L"Mode_Browse",    L"Mode_Monitor"};

}  // namespace

CMainDialog::CMainDialog(CMainWindowChildren& children)
    : CSkinDialog(IDD_MAIN_DIALOG, nullptr, L"", L"Config.txt"), children_(children) {
    icon_ = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APPLICATION_ICON));
    HandOverToRunningCopy(mutexes_);
}

CMainDialog::~CMainDialog() {
    // The tab strip and the overlay outlive browse mode: they stop asking it.
    children_.SetBrowseControl(nullptr);
    hidden_.Destroy();
    Destroy();
}

bool CMainDialog::AreaRect(ui::Colour key, controller::ControllerRect& out) const {
    ui::AreaRect box;
    if (!GetRegionRect(key, box)) return false;
    out = controller::ControllerRect{box.x, box.y, box.x + box.width, box.y + box.height};
    return true;
}

BOOL CMainDialog::OnInitDialog() {
    if (!CSkinDialog::OnInitDialog()) return FALSE;
    HWND self = Handle();
    SendMessageW(self, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageW(self, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
    const LONG_PTR style = GetWindowLongPtrW(self, GWL_STYLE);
    SetWindowLongPtrW(self, GWL_STYLE, (style & ~WS_CAPTION) | WS_MINIMIZEBOX | WS_SYSMENU);
    SetClickableRect(RECT{kAboutRect.left, kAboutRect.top, kAboutRect.right, kAboutRect.bottom});

    // The splash covers the screen while the children are made.
    auto splash = std::make_unique<ui::CSplashWindow>();
    const bool splashUp = splash->Create(self);

    Controller().SetMainWindow(self);
    CreatePreviewAndCanvas();
    CreateControllerChildren();
    CreatePanels();
    controller::ControllerRect banner;
    if (AreaRect(area::kBanner, banner)) {
        Controller().SetBannerRect(banner.left, banner.top, banner.right - banner.left, banner.bottom - banner.top);
    }
    CreateTooltip();
    hidden_.Create(self, [](HardwareButton button) {
        if (button == HardwareButton::kCapture) Controller().OnHardwareCaptureButton();
        if (button == HardwareButton::kZoom) Controller().OnHardwareZoomButton();
    });
    // Browse mode shows, plays and edits the chosen file on the canvas.
    browse_ = std::make_unique<controller::CBrowseMode>(Controller(), CopyToU16(controller::ProgramFolder()));
    browse_->SetCanvas(&canvas_);
    browse_->SetTabs(children_.Tabs());
    browse_->SetPromptOwner(self);
    browse_->Attach();
    children_.SetBrowseControl(&browse_->Control());
    Controller().Start();

    // A splash that never came up has nothing to close.
    if (splashUp && splash->Handle()) SendMessageW(splash->Handle(), WM_CLOSE, 0, 0);
    splash.reset();

    // The template is visible: the dialog shows itself once this returns,
    // centred on the screen.
    SetWindowLongPtrW(self, GWL_STYLE, GetWindowLongPtrW(self, GWL_STYLE) & ~WS_VISIBLE);
    RECT window{};
    GetWindowRect(self, &window);
    const Point origin = CentredOrigin(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                       window.right - window.left, window.bottom - window.top);
    SetWindowPos(self, nullptr, origin.x, origin.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    mutexes_.EndStartup();
    return TRUE;
}

void CMainDialog::CreatePreviewAndCanvas() {
    controller::ControllerRect rect;
    if (!AreaRect(area::kPreview, rect)) return;
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    preview_ = CreateWindowExW(
        0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | SS_BLACKRECT, rect.left, rect.top, width, height,
        Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPreviewControlId)), GetModuleHandleW(nullptr), nullptr);
    if (preview_) Controller().StartEngine(preview_);

    if (canvas_.Create(Handle(), width, height, rect.left, rect.top)) {
        HCURSOR pen = LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_CANVAS_PEN_CURSOR));
        canvas_.SetCursorImage(pen, 0);
        HWND canvas = canvas_.Handle();
        SetWindowLongPtrW(canvas, GWL_STYLE, GetWindowLongPtrW(canvas, GWL_STYLE) | WS_CLIPCHILDREN);
        Controller().SetPhotoCanvas(canvas);
        ShowWindow(canvas, SW_HIDE);
    }
}

void CMainDialog::CreateControllerChildren() {
    controller::ControllerRect rect;
    if (AreaRect(area::kFunctionPanel, rect)) Controller().CreateFunctionPanel(Handle(), rect);
    if (AreaRect(area::kModeWheel, rect)) Controller().CreateModeWheel(Handle(), rect);
    if (AreaRect(area::kStatusOverlay, rect)) Controller().CreateStatusOverlay(Handle(), rect, Controller().GetMode());
    CreateBrowseTabs();
}

void CMainDialog::CreateBrowseTabs() {
    controller::ControllerRect rect;
    if (!AreaRect(area::kMediaTabs, rect)) return;
    wchar_t folders[4][MAX_PATH] = {};
    HWND tabs = children_.CreateBrowseTabs(Handle(), RECT{rect.left, rect.top, rect.right, rect.bottom}, folders[0],
                                           folders[1], folders[2], folders[3]);
    // Without the strip the controller keeps no browse window: browsing
    // then has nothing to show, and the other modes are unaffected.
    if (!tabs) return;
    std::u16string paths[4];
    for (int i = 0; i < 4; ++i) paths[i] = CopyToU16(folders[i]);
    Controller().SetBrowseWindow(tabs, paths[0].c_str(), paths[1].c_str(), paths[2].c_str(), paths[3].c_str());
}

void CMainDialog::CreatePanels() {
    controller::ControllerRect rect;
    if (!AreaRect(area::kModePanels, rect)) return;
    std::array<controller::ControllerWindow, 6> handles{};
    for (std::size_t i = 0; i < modePanels_.size(); ++i) {
        auto panel = std::make_unique<ui::CSkinPanel>(controller::GetPanelController());
        // A panel that cannot be made is left out; the others still work.
        if (panel->Create(Handle(), rect.left, rect.top, kModePanelNames[i])) {
            handles[i] = panel->Handle();
            modePanels_[i] = std::move(panel);
        }
    }
    if (Controller().SetModePanels(handles)) {
        controller::ControllerRect control;
        if (AreaRect(area::kProgramControl, control)) {
            auto panel = std::make_unique<ui::CSkinPanel>(controller::GetPanelController());
            if (panel->Create(Handle(), control.left, control.top, L"ProgramControl"))
                programControl_ = std::move(panel);
        }
    }
    controller::ControllerRect picture;
    if (AreaRect(area::kModePicture, picture)) Controller().CreateModePicture(Handle(), picture);
}

void CMainDialog::CreateTooltip() {
    // Mouse messages reach it through PreTranslateMessage.
    tooltip_ = ui::CreateSkinTooltip(Handle());
    ui::AddSkinTool(tooltip_, Handle(), kAboutToolId,
                    RECT{kAboutRect.left, kAboutRect.top, kAboutRect.right, kAboutRect.bottom},
                    controller::GetLanguageText().GetString(L"IDS_TIP_ABOUT"));
}

bool CMainDialog::PreTranslateMessage(MSG& msg) {
    ui::RelayToTooltip(tooltip_, msg);
    // Esc closes a setting popup. With the keyboard on no window (the
    // slider's trackbar gives it away) the key comes as a system key to
    // the active window.
    if ((msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) && msg.wParam == VK_ESCAPE)
        children_.HideItemPopups();
    if (IsSwallowedKey(msg.message, msg.wParam)) return true;
    return CSkinDialog::PreTranslateMessage(msg);
}

void CMainDialog::OnPromptTimer() {
    // Once per showing: the next showing sets the timer again.
    KillTimer(Handle(), kPromptTimerId);
    // The prompt's flag lives beside the settings, in the user's key above
    // Windows XP and in the machine's on XP.
    controller::CRegistryPromptFlag flag(controller::IsWindowsAbove5() ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE,
                                         controller::kSettingsKeyPath);
    controller::CLanguageTextStrings texts(controller::GetLanguageText());
    controller::CSystemNations nations;
    const std::wstring geoFile = controller::ProgramFolder() + L"\\geo.ini";
    HWND self = Handle();
    controller::RunFrequencyPromptIfDue(
        flag,
        [&] {
            controller::CFreqDialog prompt(
                texts, nations, [&geoFile](int geoId) { return controller::LookupGeoFrequency(geoFile, geoId); }, flag,
                self);
            return prompt.DoModal();
        },
        [self] { Controller().Engine().ShowCameraProperties(self); });
}

void CMainDialog::PaintMinimized() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(Handle(), &paint);
    RECT client{};
    GetClientRect(Handle(), &client);
    const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, icon_);
    EndPaint(Handle(), &paint);
}

LRESULT CMainDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE: mutexes_.ReleaseInstance(); break;
    case WM_WINDOWPOSCHANGING: {
        auto* position = reinterpret_cast<WINDOWPOS*>(lParam);
        position->flags = gate_.FilterPositionFlags(position->flags);
        break;
    }
    case WM_GETDLGCODE: {
        const MSG* asked = reinterpret_cast<const MSG*>(lParam);
        if (asked && asked->message == WM_KEYDOWN && asked->wParam == VK_ESCAPE) return 0;
        break;
    }
    case WM_ENABLE:
        // A modal box over the window: no setting popup stays above it.
        if (!wParam) children_.HideItemPopups();
        break;
    case WM_TIMER:
        if (wParam == kPromptTimerId) {
            OnPromptTimer();
            return 0;
        }
        break;
    case WM_POWERBROADCAST:
        if (IsForwardedPowerNotice(wParam)) Controller().OnPowerEvent();
        break;
    case ui::WM_SHOW_MAIN_WINDOW:
        gate_.OnShowNotice(wParam);
        ShowWindow(Handle(), wParam ? SW_SHOW : SW_HIDE);
        return 0;
    case canvas::WM_PHOTO_MODIFIED:
        if (browse_) browse_->Control().OnPhotoModified();
        return 0;
    case WM_MOTION_EVENT: Controller().OnMotionEvent(); return 0;
    case WM_SHOWWINDOW: {
        const LRESULT result = CSkinDialog::WindowProc(message, wParam, lParam);
        if (gate_.StartsPromptTimer(wParam != 0)) SetTimer(Handle(), kPromptTimerId, kPromptDelayMs, nullptr);
        return result;
    }
    case WM_SYSCOMMAND:
        if (IsIgnoredSystemCommand(wParam)) return 0;
        break;
    case WM_PAINT:
        if (IsIconic(Handle())) {
            PaintMinimized();
            return 0;
        }
        break;
    case WM_QUERYDRAGICON: return reinterpret_cast<LRESULT>(icon_);
    case WM_LBUTTONDOWN: SetCapture(Handle()); break;
    case WM_LBUTTONUP:
        ReleaseCapture();
        if (InAboutRect(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))) {
            Controller().ShowAbout();
            return 0;
        }
        break;
    default: break;
    }
    return CSkinDialog::WindowProc(message, wParam, lParam);
}

}  // namespace vimbrel::mainwindow
