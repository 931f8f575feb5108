#include "CPlayerControlBar.h"

#include "BarButtons.h"
#include "FlickwandIds.h"
#include "PlayerMessages.h"
#include "PlayerStrings.h"
#include "SkinModule.h"
#include "winowners/KernelOwners.h"

#include <commctrl.h>

#include <string>

namespace slideshow {

using vimbrel::ui::ButtonFace;
using vimbrel::ui::Colour;

namespace {

// The message the bar posts itself to take the focus back: changing the
// focus from inside WM_KILLFOCUS would fight the change under way.
constexpr UINT WM_BAR_RETAKE_FOCUS = WM_APP + 0x50;
constexpr UINT kFadeSleepMs = 5;

bool ReadWholeFile(const wchar_t* path, std::string& text) {
    winowners::UniqueHandle file = winowners::UniqueHandle(
        CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > (1 << 20)) return false;
    text.assign(static_cast<size_t>(size.QuadPart), '\0');
    DWORD got = 0;
    return text.empty() ||
           (ReadFile(file.get(), &text[0], static_cast<DWORD>(text.size()), &got, nullptr) && got == text.size());
}

bool WriteWholeFile(const wchar_t* path, const void* data, DWORD size) {
    winowners::UniqueHandle file = winowners::UniqueHandle(
        CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY, nullptr));
    if (!file) return false;
    DWORD written = 0;
    return WriteFile(file.get(), data, size, &written, nullptr) && written == size;
}

}  // namespace

std::wstring CPlayerBarTexts::GetButtonTip(Colour key) {
    const unsigned id = BarTipStringId(key, 1);
    return id ? LoadPlayerString(id) : std::wstring();
}

std::wstring CPlayerBarTexts::LanguageText(const char* key) {
    if (key && std::string(key) == "IDS_TIP_PAUSE") return LoadPlayerString(IDS_TIP_PAUSE);
    return std::wstring();
}

CPlayerControlBar::CPlayerControlBar() : CSkinPanel(static_cast<CPlayerBarTexts&>(*this)) {}

CPlayerControlBar::~CPlayerControlBar() { Destroy(); }

bool CPlayerControlBar::Create(HWND parent, int x, int y, const std::wstring& skinSource,
                               const std::wstring& skinName) {
    owner_ = parent;
    if (!CSkinPanel::Create(parent, x, y, skinName, skinSource)) return false;
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    SetWindowPos(Handle(), nullptr, (screenWidth - Width()) / 2, screenHeight - Height(), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ApplyAlpha(fade_.Alpha());
    SetTimer(Handle(), kFadeTimer, kFadeTimerPeriodMs, nullptr);
    SetFocus(Handle());
    return true;
}

bool CPlayerControlBar::ReadConfiguration(const std::wstring& panelName, vimbrel::ui::PanelSkinConfig& config) {
    using vimbrel::ui::SkinSourceKind;
    if (Source().Kind() == SkinSourceKind::Folder) return CSkinPanel::ReadConfiguration(panelName, config);
    vimbrel::ui::CSkinModule module(Source().Kind(), Source().Source().c_str());
    const void* data = nullptr;
    DWORD size = 0;
    if (!module.FindBytes((panelName + L".txt").c_str(), Source().ResourceType().c_str(), data, size)) return false;
    // The configuration passes through "config.txt" in the current
    // directory, which in the player is the image folder: the bare picture
    // names of the slide list depend on it, so it is never changed here.
    std::string text;
    static const wchar_t kTemporary[] = L"config.txt";
    if (WriteWholeFile(kTemporary, data, size)) {
        const bool readBack = ReadWholeFile(kTemporary, text);
        DeleteFileW(kTemporary);
        if (!readBack) text.clear();
    }
    // A read-only image folder: the resource's own bytes are the same text.
    if (text.empty()) text.assign(static_cast<const char*>(data), size);
    return vimbrel::ui::ParsePanelSkinConfig(text, config) == vimbrel::ui::SkinConfigStatus::Ok;
}

bool CPlayerControlBar::CreatePanelWindow(HWND parent, int x, int y, int width, int height) {
    const wchar_t* cls = framework::RegisterAnonymousClass(0, LoadCursor(nullptr, IDC_ARROW),
                                                           static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    return framework::CWindow::Create(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST, cls, nullptr, WS_POPUP,
                                      RECT{x, y, x + width, y + height}, parent, 0);
}

void CPlayerControlBar::ApplyAlpha(int alpha) {
    if (Handle()) SetLayeredWindowAttributes(Handle(), 0, static_cast<BYTE>(alpha), LWA_ALPHA);
}

void CPlayerControlBar::DrawFace(size_t button, ButtonFace face, bool lasting) {
    CSkinPanel::DrawFace(button, face, lasting);
    ApplyAlpha(fade_.Alpha());
}

void CPlayerControlBar::ButtonPressed(Colour) {
    // A press only shows the pressed face; the command goes on release.
}

void CPlayerControlBar::ButtonReleased(Colour key) {
    vimbrel::ui::CPanelLogic* logic = MutableLogic();
    if (key == kBarPlayPauseKey && logic) {
        const int index = logic->IndexOf(key);
        if (index != vimbrel::ui::CPanelLogic::kNoButton) {
            const bool toAlternate = logic->ToggleState(static_cast<size_t>(index)) != 2;
            logic->SetToggle(key, toAlternate);  // resting face and tooltip
            DrawFace(static_cast<size_t>(index), toAlternate ? ButtonFace::AlternateHover : ButtonFace::Hover, false);
        }
    }
    const int command = BarCommandFor(key);
    if (command >= 0 && owner_) PostMessageW(owner_, WM_PLAYER_COMMAND, static_cast<WPARAM>(command), 0);
}

void CPlayerControlBar::SetButtonState(Colour key, int state, bool redraw) {
    vimbrel::ui::CPanelLogic* logic = MutableLogic();
    if (!logic || (state != 1 && state != 2)) return;
    logic->SetToggle(key, state == 2);
    if (redraw && Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

void CPlayerControlBar::EnableButton(Colour key, bool enable) {
    if (vimbrel::ui::CPanelLogic* logic = MutableLogic()) logic->EnableButton(key, enable);
}

int CPlayerControlBar::ButtonState(Colour key) const {
    const vimbrel::ui::CPanelLogic* logic = Logic();
    const int index = logic ? logic->IndexOf(key) : vimbrel::ui::CPanelLogic::kNoButton;
    return index == vimbrel::ui::CPanelLogic::kNoButton ? 0 : logic->ToggleState(static_cast<size_t>(index));
}

bool CPlayerControlBar::ButtonEnabled(Colour key) const {
    const vimbrel::ui::CPanelLogic* logic = Logic();
    const int index = logic ? logic->IndexOf(key) : vimbrel::ui::CPanelLogic::kNoButton;
    return index != vimbrel::ui::CPanelLogic::kNoButton && logic->Enabled(static_cast<size_t>(index));
}

std::wstring CPlayerControlBar::ToolText(Colour key) const {
    const vimbrel::ui::CPanelLogic* logic = Logic();
    const int index = logic ? logic->IndexOf(key) : vimbrel::ui::CPanelLogic::kNoButton;
    if (index == vimbrel::ui::CPanelLogic::kNoButton) return std::wstring();
    return vimbrel::ui::SkinToolText(Tooltip(), Handle(), ToolIdOf(static_cast<size_t>(index)));
}

void CPlayerControlBar::OnFadeTimer() {
    POINT cursor{};
    RECT bar{};
    if (!GetCursorPos(&cursor) || !GetWindowRect(Handle(), &bar)) return;
    const BarFadeTick tick = fade_.Tick(BarPoint{cursor.x, cursor.y},
                                        BarRect{bar.left, bar.top, bar.right, bar.bottom});
    if (tick.hideCursor && !cursorHidden_) {
        ShowCursor(FALSE);
        cursorHidden_ = true;
    }
    if (tick.showCursor && cursorHidden_) {
        ShowCursor(TRUE);
        cursorHidden_ = false;
    }
    for (int alpha : tick.alphaSteps) {
        ApplyAlpha(alpha);
        Sleep(kFadeSleepMs);
    }
}

bool CPlayerControlBar::KeyForOwner(WPARAM key) const {
    return key == VK_ESCAPE || key == VK_SPACE || (key >= VK_PRIOR && key <= VK_HOME);
}

LRESULT CPlayerControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        if (wParam != kFadeTimer) break;
        OnFadeTimer();
        return 0;
    case WM_KEYDOWN:
        if (KeyForOwner(wParam) && owner_) {
            SendMessageW(owner_, WM_KEYDOWN, wParam, lParam);
            return 0;
        }
        break;
    case WM_KILLFOCUS:
        // The bar keeps the keys while the player has them; a box the
        // player opens (About, a message) keeps its own focus.
        if (owner_ && reinterpret_cast<HWND>(wParam) == owner_) PostMessageW(Handle(), WM_BAR_RETAKE_FOCUS, 0, 0);
        break;
    case WM_BAR_RETAKE_FOCUS:
        if (owner_ && GetFocus() == owner_) SetFocus(Handle());
        return 0;
    case WM_PRINT:
        if (wParam) BitBlt(reinterpret_cast<HDC>(wParam), 0, 0, Width(), Height(), Picture(), 0, 0, SRCCOPY);
        return 0;
    case vimbrel::ui::WM_PANEL_RESET_TOGGLES:
    case vimbrel::ui::WM_PANEL_ENABLE_BUTTON:
    case vimbrel::ui::WM_PANEL_SET_TOGGLE:
    case vimbrel::ui::WM_PANEL_SET_SLIDER:
    case vimbrel::ui::WM_PANEL_DISABLE_ALL:
        // The player calls the bar directly; the main program's panel
        // messages mean nothing here.
        return DefaultProc(message, wParam, lParam);
    case WM_DESTROY:
        KillTimer(Handle(), kFadeTimer);
        if (cursorHidden_) {
            ShowCursor(TRUE);
            cursorHidden_ = false;
        }
        break;
    default: break;
    }
    return CSkinPanel::WindowProc(message, wParam, lParam);
}

}  // namespace slideshow
