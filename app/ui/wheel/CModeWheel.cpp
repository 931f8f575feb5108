#include "CModeWheel.h"
#include "winowners/GdiOwners.h"

#include "AnsiText.h"
#include "ClassBrush.h"
#include "SkinImageLoader.h"
#include "SkinMask.h"
#include "SkinPictures.h"

#include <commctrl.h>
#include <windowsx.h>

namespace vimbrel::ui {
namespace {

// A frame of a turn, posted by the animation thread: wParam 0 a label
// frame (lParam: mode, frame and selected), 1 a rotation step (lParam: the
// frame).
constexpr UINT kWheelDrawMessage = WM_APP + 0x4CA;
constexpr WPARAM kDrawLabel = 0;
constexpr WPARAM kDrawRotation = 1;

std::unique_ptr<Gdiplus::Bitmap> LoadWheelPicture(const std::string& name) {
    return LoadSkinImage(WidenAnsi(name).c_str(), SkinSourceKind::OwnResources, L"", L"WHEEL");
}

void RemoveTool(HWND tooltip, HWND owner, UINT_PTR id) {
    TTTOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V1_SIZE;
    info.hwnd = owner;
    info.uId = id;
    SendMessageW(tooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

}  // namespace

CModeWheel::CModeWheel(IWheelController& controller) : controller_(controller) {}

CModeWheel::~CModeWheel() {
    StopAnimation();
    Destroy();
    Release();
}

bool CModeWheel::Create(HWND parent, const RECT& rect) {
    if (Handle()) return false;
    background_ = controller_.SkinColour(kWheelBackgroundColourIndex);
    const wchar_t* cls = framework::RegisterAnonymousClass(0, nullptr, KeptClassBrush(background_));
    if (!cls || !framework::CWindow::Create(0, cls, nullptr, WS_CHILD | WS_VISIBLE, rect, parent, 0)) return false;
    width_ = rect.right - rect.left;
    height_ = rect.bottom - rect.top;

    bool made = false;
    do {
        // The five sectors, by their key colours in the map.
        auto map = LoadWheelPicture(kWheelMapName);
        std::optional<CSkinMask> mask = map ? CSkinMask::FromBitmap(*map) : std::nullopt;
        if (!mask) break;
        bool cut = true;
        for (int i = 0; i < kWheelSectorCount; ++i) {
            sectors_[i].region = mask->Region(kWheelSectors[i].key, RegionMode::SameColour);
            cut = cut && sectors_[i].region;
            if (sectors_[i].region) GetRgnBox(sectors_[i].region.get(), &sectors_[i].bounds);
        }
        if (!cut) break;

        tooltip_ = CreateSkinTooltip(Handle());
        if (!tooltip_) break;
        for (int m = 0; m < kWheelModeCount; ++m) tips_[m] = controller_.LanguageText(ModeTipKey(m));

        {
            const auto window = winowners::GetDCOwner(Handle());
            if (!window) break;
            memory_.Make(window.get(), width_, height_);
        }
        auto back = LoadWheelPicture(kWheelBackgroundName);
        if (!memory_ || !back || !backgroundPicture_.Hold(memory_.Dc(), HBitmapOf(*back))) break;

        DrawLabelFrame(state_.ShownMode(), kRestingLabelFrame, true, false);
        hand_ = LoadCursorW(nullptr, IDC_HAND);
        arrow_ = LoadCursorW(nullptr, IDC_ARROW);

        event_.reset(CreateEventW(nullptr, TRUE, FALSE, kWheelEventName));
        if (!event_) break;
        // The event outlives a wheel while anyone holds it: start quiet.
        ResetEvent(event_.get());
        if (!thread_.Start([this] { RunAnimation(); }, THREAD_PRIORITY_TIME_CRITICAL)) break;

        SetTooltips(state_.ShownMode());
        made = true;
    } while (false);

    if (!made) {
        Destroy();
        Release();
    }
    return made;
}

int CModeWheel::SetMode(int mode, bool animate) {
    switch (state_.SetMode(mode, animate)) {
    case CWheelState::Change::Refused: return 0;
    case CWheelState::Change::None: return 1;
    case CWheelState::Change::Turn:
        if (event_) SetEvent(event_.get());
        break;
    case CWheelState::Change::Jump:
        DrawRotationFrame(FrameOfMode(mode));
        DrawLabelFrame(mode, kRestingLabelFrame, true, false);
        state_.FinishJump(mode);
        break;
    }
    SetTooltips(mode);
    return 1;
}

void CModeWheel::RunAnimation() {
    for (;;) {
        const DWORD woke = WaitForSingleObject(event_.get(), INFINITE);
        if (state_.Quitting()) return;
        if (woke != WAIT_OBJECT_0) {
            // A failed wait would fail again at once: breathe first, or a
            // time-critical thread would starve the machine.
            if (!thread_.Pause(10)) return;
            continue;
        }
        // Reset on waking, not after the turn: a request that arrives
        // while the wheel turns sets it again and is not lost.
        ResetEvent(event_.get());
        if (!PlayTurn(state_, *this)) return;
    }
}

void CModeWheel::StopAnimation() {
    thread_.Stop([this] {
        state_.RequestQuit();
        if (event_) SetEvent(event_.get());
    });
}

void CModeWheel::Release() {
    if (tooltip_) DestroyWindow(tooltip_);
    tooltip_ = nullptr;
    std::lock_guard<std::mutex> hold(drawing_);
    memory_.Release();
    backgroundPicture_.Release();
    for (Sector& sector : sectors_) sector = Sector();
    event_.reset();
}

bool CModeWheel::Pause(int ms) { return thread_.Pause(static_cast<DWORD>(ms)); }

void CModeWheel::DrawLabel(int mode, int frame, bool selected) {
    const LPARAM packed = (mode & 0xFF) | ((frame & 0xFF) << 8) | (selected ? 0x10000 : 0);
    PostMessageW(Handle(), kWheelDrawMessage, kDrawLabel, packed);
}

void CModeWheel::DrawRotation(int frame) { PostMessageW(Handle(), kWheelDrawMessage, kDrawRotation, frame); }

void CModeWheel::DrawBackground() {
    RECT all{0, 0, width_, height_};
    FillRect(memory_.Dc(), &all, KeptClassBrush(background_));
    backgroundPicture_.CopyTo(memory_.Dc(), all);
}

bool CModeWheel::DrawPicture(Gdiplus::Graphics& graphics, const std::string& name, int x, int y) {
    auto picture = LoadWheelPicture(name);
    if (!picture) return false;
    // In pixels, whatever resolution the picture file states.
    return graphics.DrawImage(picture.get(), x, y, static_cast<INT>(picture->GetWidth()),
                              static_cast<INT>(picture->GetHeight())) == Gdiplus::Ok;
}

void CModeWheel::DrawRotationFrame(int frame) {
    std::lock_guard<std::mutex> hold(drawing_);
    if (!memory_) return;
    DrawBackground();
    {
        Gdiplus::Graphics graphics(memory_.Dc());
        if (!DrawPicture(graphics, RotationFrameName(frame), 0, 0)) return;
        if (!DrawPicture(graphics, kWheelGlassName, kWheelLabelX, kWheelLabelY)) return;
    }
    CopyToWindow();
}

void CModeWheel::DrawLabelFrame(int mode, int frame, bool selected, bool highlight) {
    if (!IsWheelMode(mode)) return;
    std::lock_guard<std::mutex> hold(drawing_);
    if (!memory_) return;
    DrawBackground();
    {
        Gdiplus::Graphics graphics(memory_.Dc());
        if (!DrawPicture(graphics, RotationFrameName(state_.CurrentFrame()), 0, 0)) return;
        const int hovered = state_.Hovered();
        if (highlight && hovered != kNoSector) {
            auto lit = LoadWheelPicture(HoverPictureName(state_.ShownMode()));
            if (!lit) return;
            Gdiplus::TextureBrush brush(lit.get(), Gdiplus::WrapModeTile);
            Gdiplus::Region sector(sectors_[hovered - 1].region.get());
            graphics.FillRegion(&brush, &sector);
        }
        const std::string name = selected ? SelectedLabelFrameName(mode, frame) : LabelFrameName(mode, frame);
        if (!DrawPicture(graphics, name, kWheelLabelX, kWheelLabelY)) return;
    }
    CopyToWindow();
}

void CModeWheel::CopyToWindow() {
    if (!Handle()) return;
    if (const auto dc = winowners::GetDCOwner(Handle())) {
        memory_.CopyTo(dc.get(), RECT{0, 0, width_, height_});
    }
}

void CModeWheel::SetTooltips(int mode) {
    if (!tooltip_ || !IsWheelMode(mode)) return;
    for (int tool = 1; tool <= kWheelSectorCount; ++tool) RemoveTool(tooltip_, Handle(), tool);
    for (int tool = 1; tool <= kWheelSectorCount; ++tool)
        AddSkinTool(tooltip_, Handle(), tool, sectors_[tool - 1].bounds, tips_[TipModeOfTool(mode, tool)]);
}

int CModeWheel::HitTest(LPARAM point) const {
    const int x = GET_X_LPARAM(point), y = GET_Y_LPARAM(point);
    for (int i = 0; i < kWheelSectorCount; ++i)
        if (sectors_[i].region && PtInRegion(sectors_[i].region.get(), x, y)) return i + 1;
    return kNoSector;
}

void CModeWheel::OnMouseMove(LPARAM point) {
    if (state_.Animating()) return;
    const HoverStep step = StepHover(state_.Hovered(), HitTest(point));
    if (step.capture) {
        if (GetCapture() != Handle()) SetCapture(Handle());
    } else if (GetCapture() == Handle()) {
        ReleaseCapture();
    }
    if (!step.redraw) return;
    SetCursor(step.handCursor ? hand_ : arrow_);
    state_.SetHovered(step.hovered);
    DrawLabelFrame(state_.ShownMode(), kRestingLabelFrame, true, step.hovered != kNoSector);
}

void CModeWheel::OnButtonDown(LPARAM point) {
    if (state_.Animating()) return;
    const int sector = HitTest(point);
    if (sector == kNoSector) return;
    if (GetCapture() == Handle()) ReleaseCapture();
    SetCursor(arrow_);
    const int shown = state_.ShownMode();
    if (shown == kBrowseMode) {
        const int answer = controller_.QueryLeaveBrowse();
        if (answer == IDCANCEL || answer == IDYES) return;
    }
    // The turn draws without the highlight; with the capture gone the
    // next move over the same sector must light it again.
    state_.SetHovered(kNoSector);
    const int target = ModeAfter(shown, kWheelSectors[sector - 1].offset);
    state_.BeginTurn(target);
    SetEvent(event_.get());
    SetTooltips(target);
    controller_.SetMode(target);
}

void CModeWheel::OnDestroy() {
    // The thread goes first: it draws on everything released after it.
    StopAnimation();
    Release();
}

LRESULT CModeWheel::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        RECT pending{};
        // A posted WM_PAINT comes with nothing to repaint: copy it all.
        const bool invalid = GetUpdateRect(Handle(), &pending, FALSE) != FALSE;
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(Handle(), &paint);
        {
            std::lock_guard<std::mutex> hold(drawing_);
            memory_.CopyTo(dc, RECT{0, 0, width_, height_});
            if (!invalid) CopyToWindow();
        }
        EndPaint(Handle(), &paint);
        return 0;
    }
    case WM_MOUSEMOVE: OnMouseMove(lParam); return 0;
    case WM_LBUTTONDOWN: OnButtonDown(lParam); return 0;
    case kWheelDrawMessage:
        if (wParam == kDrawRotation)
            DrawRotationFrame(static_cast<int>(lParam));
        else
            DrawLabelFrame(static_cast<int>(lParam & 0xFF), static_cast<int>((lParam >> 8) & 0xFF),
                           (lParam & 0x10000) != 0, false);
        return 0;
    case WM_WINDOWPOSCHANGING: PostMessageW(Handle(), WM_PAINT, 0, 0); break;
    default: break;
    }
    return CSkinControl::WindowProc(message, wParam, lParam);
}

}  // namespace vimbrel::ui
