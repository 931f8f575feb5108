#include "CPlayerDialog.h"

#include "BarButtons.h"
#include "CPlayerAboutDialog.h"
#include "FilmStrip.h"
#include "FitToScreen.h"
#include "FlickwandIds.h"
#include "ImageFolder.h"
#include "PictureFile.h"
#include "PlayMode.h"
#include "PlayerEvent.h"
#include "PlayerFlags.h"
#include "PlayerMessages.h"
#include "PlayerStrings.h"
#include "ScreenBuffers.h"
#include "SkinImageLoader.h"
#include "SlideComposer.h"
#include "WinFolderLister.h"

namespace slideshow {

namespace {

constexpr UINT kAboutCommand = 0x10;
constexpr DWORD kShowAnimationMs = 200;
// Long enough for any transition step and the strip's 10 ms waits; the
// worker looks at the play mode after every one of them.
constexpr DWORD kWorkerJoinMs = 10000;

void SignalPlayer() {
    if (HANDLE event = SharedPlayerEvent()) SetEvent(event);
}

}  // namespace

CPlayerDialog::CPlayerDialog(std::wstring imageFolder)
    : framework::CDialog(IDD_PLAYER), imageFolder_(std::move(imageFolder)) {}

CPlayerDialog::~CPlayerDialog() {
    // A dialog destroyed without its close still must not leave a worker
    // drawing with what goes next.
    SharedPlayMode() = kPlayStop;
    SignalPlayer();
    worker_.Join(kWorkerJoinMs);
    ReleaseDrawing();
    SharedSlideList().Free();
}

BOOL CPlayerDialog::OnInitDialog() {
    framework::CDialog::OnInitDialog();
    closed_ = false;
    SharedPlayerFlags().Reset();
    if (HMENU menu = GetSystemMenu(Handle(), FALSE)) {
        const std::wstring about = LoadPlayerString(IDS_PLAYER_ABOUT_ITEM);
        if (!about.empty()) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            AppendMenuW(menu, MF_STRING, kAboutCommand, about.c_str());
        }
    }
    icon_ = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_PLAYER));
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));

    if (imageFolder_.empty()) imageFolder_ = PlayerImageFolder();
    CSlideList& list = SharedSlideList();
    list.Reset();
    CWinFolderLister lister;
    const std::u16string folder(imageFolder_.begin(), imageFolder_.end());
    if (!list.Build(folder, lister) || list.Count() == 0) {
        MessageBoxW(Handle(), LoadPlayerString(IDS_NO_FILE).c_str(), L"Vim Brel", MB_OK);
        EndDialog(-1);
        return FALSE;
    }

    if (!SetUpWindow()) {
        list.Free();
        EndDialog(-1);
        return FALSE;
    }
    list.Sort();
    if (!LoadFilmFrame()) {
        list.Free();
        ReleaseDrawing();
        EndDialog(-1);
        return FALSE;
    }
    FillBlack(windowDc_.get(), 0, 0, screenWidth_, screenHeight_);

    if (controlBar_.Create(Handle(), 100, 100, L"", L"control")) {
        // The show plays from the start: the toggle shows "Pause".
        controlBar_.SetButtonState(kBarPlayPauseKey, 2, true);
    }
    HANDLE event = SharedPlayerEvent();
    if (event) ResetEvent(event);
    SharedPlayMode() = kPlayCrossFade;
    worker_.Start(Handle(), controlBar_.Handle(), 0);
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    return FALSE;
}

bool CPlayerDialog::SetUpWindow() {
    LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
    style &= ~static_cast<LONG_PTR>(WS_CAPTION | WS_THICKFRAME | DS_MODALFRAME);
    style |= WS_SYSMENU;
    SetWindowLongPtrW(Handle(), GWL_STYLE, style);
    LONG_PTR exStyle = GetWindowLongPtrW(Handle(), GWL_EXSTYLE);
    exStyle &= ~static_cast<LONG_PTR>(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE);
    SetWindowLongPtrW(Handle(), GWL_EXSTYLE, exStyle);

    gdiplus_.emplace();
    screenWidth_ = GetSystemMetrics(SM_CXSCREEN);
    screenHeight_ = GetSystemMetrics(SM_CYSCREEN);
    windowDc_ = winowners::UniqueWindowDC(Handle());
    if (!windowDc_) return false;
    memory_ = CDibBuffer::Create(windowDc_.get(), screenWidth_, screenHeight_);
    blackBrush_.reset(CreateSolidBrush(RGB(0, 0, 0)));
    if (!memory_ || !blackBrush_) return false;
    graphics_ = std::make_unique<Gdiplus::Graphics>(windowDc_.get());
    if (graphics_->GetLastStatus() != Gdiplus::Ok) return false;
    graphics_->Clear(Gdiplus::Color(255, 0, 0, 0));
    // Refused until the worker runs; the worker asks again.
    SetWindowPos(Handle(), nullptr, 0, 0, screenWidth_, screenHeight_, SWP_SHOWWINDOW | SWP_FRAMECHANGED);
    return true;
}

bool CPlayerDialog::LoadFilmFrame() {
    std::unique_ptr<Gdiplus::Bitmap> film = vimbrel::ui::LoadSkinImage(
        L"Film.png", vimbrel::ui::SkinSourceKind::OwnResources, L"", L"IMAGE");
    if (!film) return false;
    const int width = static_cast<int>(film->GetWidth());
    const int height = static_cast<int>(film->GetHeight());
    filmFrame_ = CDibBuffer::Create(windowDc_.get(), width, height);
    if (!filmFrame_) return false;
    FillBlack(filmFrame_->Dc(), 0, 0, width, height);
    if (!DrawPicturePart(*film, filmFrame_->Dc(), FittedRect{0, 0, width, height}, FittedRect{0, 0, width, height})) {
        filmFrame_.reset();
        return false;
    }
    GdiFlush();
    SetSharedFilmFrame(filmFrame_.get());
    return true;
}

int CPlayerDialog::Navigate(NavigateTarget target) {
    PlayerFlags& flags = SharedPlayerFlags();
    const bool wasNavigated = flags.navigated.exchange(true);
    SignalPlayer();
    std::u16string name;
    if (!NavigateCursor(SharedSlideList(), target, SharedPlayMode(), wasNavigated, name)) return 0;
    std::unique_ptr<Gdiplus::Bitmap> picture = LoadPictureFile(name);
    if (!picture || !memory_ || !windowDc_) return 0;
    const int width = static_cast<int>(picture->GetWidth());
    const int height = static_cast<int>(picture->GetHeight());
    FittedRect fitted;
    if (!FitToScreen(width, height, &fitted, screenWidth_, screenHeight_)) return 0;
    RECT all{0, 0, screenWidth_, screenHeight_};
    FillRect(memory_->Dc(), &all, blackBrush_.get());
    if (!DrawPicturePart(*picture, memory_->Dc(), fitted, FittedRect{0, 0, width, height})) return 0;
    BitBlt(windowDc_.get(), 0, 0, screenWidth_, screenHeight_, memory_->Dc(), 0, 0, SRCCOPY);
    UpdateButtons();
    return 1;
}

int CPlayerDialog::UpdateButtons() {
    ButtonStates states;
    if (!ComputeButtonStates(SharedSlideList(), SharedPlayerFlags().paused, &states)) return 0;
    controlBar_.EnableButton(kBarFirstKey, states.firstAndPrevious);
    controlBar_.EnableButton(kBarPreviousKey, states.firstAndPrevious);
    controlBar_.EnableButton(kBarNextKey, states.nextAndLast);
    controlBar_.EnableButton(kBarLastKey, states.nextAndLast);
    controlBar_.SetButtonState(kBarPlayPauseKey, states.playPauseState, true);
    return 1;
}

void CPlayerDialog::TogglePause() {
    PlayerFlags& flags = SharedPlayerFlags();
    if (flags.paused) {
        // The worker resumes through its hold after a navigation.
        flags.paused = false;
        SignalPlayer();
    } else {
        flags.paused = true;
        Navigate(SharedPlayMode() == kPlayFilmStrip ? NavigateTarget::Previous : NavigateTarget::Current);
    }
    UpdateButtons();
}

void CPlayerDialog::SwitchEffect() {
    SharedPlayerFlags().navigated = false;
    SharedPlayMode() = SwitchedPlayMode(SharedPlayMode());
    SignalPlayer();
}

void CPlayerDialog::Stop() {
    SharedPlayMode() = kPlayStop;
    SignalPlayer();
    PostMessageW(Handle(), WM_CLOSE, 0, 0);
}

void CPlayerDialog::Close() {
    if (closed_) return;
    closed_ = true;
    SharedPlayMode() = kPlayStop;
    SignalPlayer();
    // The list and the buffers go only once the worker has left them.
    worker_.Join(kWorkerJoinMs);
    SharedSlideList().Free();
    ReleaseDrawing();
    EndDialog(IDCANCEL);
}

void CPlayerDialog::ReleaseDrawing() {
    SetSharedFilmFrame(nullptr);
    filmFrame_.reset();
    ReleaseScreenBuffers();
    graphics_.reset();
    memory_.reset();
    blackBrush_.reset();
    windowDc_.reset();
}

void CPlayerDialog::OnCancel() { Close(); }

void CPlayerDialog::OnAction(PlayerAction action) {
    switch (action) {
    case PlayerAction::First: Navigate(NavigateTarget::First); break;
    case PlayerAction::Previous: Navigate(NavigateTarget::Previous); break;
    case PlayerAction::Next: Navigate(NavigateTarget::Next); break;
    case PlayerAction::Last: Navigate(NavigateTarget::Last); break;
    case PlayerAction::TogglePause: TogglePause(); break;
    case PlayerAction::SwitchEffect: SwitchEffect(); break;
    case PlayerAction::Exit: PostMessageW(Handle(), WM_CLOSE, 0, 0); break;
    case PlayerAction::Stop: Stop(); break;
    case PlayerAction::None: break;
    }
}

void CPlayerDialog::Paint() {
    if (IsIconic(Handle())) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        RECT client{};
        GetClientRect(Handle(), &client);
        const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
        const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
        DrawIcon(dc, x, y, icon_);
        EndPaint(Handle(), &ps);
        return;
    }
    framework::CDialog::WindowProc(WM_PAINT, 0, 0);
    CScreenBuffers* buffers = SharedScreenBuffers();
    if (!buffers || !windowDc_) return;
    const CDibBuffer& source = SharedPlayMode() == kPlayCrossFade ? buffers->Blend() : buffers->StripShown();
    BitBlt(windowDc_.get(), 0, 0, buffers->Width(), buffers->Height(), source.Dc(), 0, 0, SRCCOPY);
}

LRESULT CPlayerDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == kAboutCommand) {
            CPlayerAboutDialog about(Handle());
            about.DoModal();
            return 0;
        }
        break;
    case WM_PAINT: Paint(); return 0;
    case WM_QUERYDRAGICON: return reinterpret_cast<LRESULT>(icon_);
    case WM_PRINT: return 0;
    case WM_CLOSE: Close(); return 0;
    case WM_WINDOWPOSCHANGING:
        if (!SharedPlayerFlags().workerRunning && lParam) {
            // Neither moved, sized, raised nor shown until the worker has
            // its buffers: the player appears at once over the whole screen.
            auto* position = reinterpret_cast<WINDOWPOS*>(lParam);
            position->flags |= SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
            position->flags &= ~static_cast<UINT>(SWP_SHOWWINDOW);
        }
        break;
    case WM_GETDLGCODE:
        // Every key comes to the dialog as it is, Esc included: the dialog
        // manager would otherwise turn Esc into a cancel and eat Space.
        return DLGC_WANTALLKEYS;
    case WM_KEYDOWN: OnAction(ActionForKey(static_cast<unsigned>(wParam))); return 0;
    case WM_MOUSEMOVE:
        if (controlBar_.Handle() && !IsWindowVisible(controlBar_.Handle()))
            AnimateWindow(controlBar_.Handle(), kShowAnimationMs, AW_BLEND);
        break;
    case WM_PLAYER_COMMAND: OnAction(ActionForCommand(static_cast<unsigned>(wParam))); return 0;
    case WM_PLAYER_REFRESH: UpdateButtons(); return 0;
    default: break;
    }
    return framework::CDialog::WindowProc(message, wParam, lParam);
}

}  // namespace slideshow
