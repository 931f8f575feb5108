#include "CStatusOverlay.h"
#include "winowners/GdiOwners.h"

#include "ClassBrush.h"
#include "ProgramPicture.h"
#include "UiFont.h"
#include "WideText.h"

#include <utility>
#include <vector>

namespace vimbrel::ui {
namespace {

// Values handed over from the controller's threads; only this window's
// class receives them.
constexpr UINT kPostedTime = WM_APP + 0x4C8;
constexpr UINT kPostedStateIcon = WM_APP + 0x4C9;

constexpr const char* kTimerIconName = "Timer.png";
constexpr const char* kRecordingIconName = "recording.png";
constexpr const char* kPauseIconName = "pause.png";

// Makes the graphics object a drawing runs on; null, with the trace the
// program has always left, when GDI+ refuses the DC.
std::unique_ptr<Gdiplus::Graphics> DrawingOn(HDC dc) {
    auto graphics = std::make_unique<Gdiplus::Graphics>(dc);
    if (graphics->GetLastStatus() == Gdiplus::Ok) return graphics;
    OutputDebugStringA("graphics object failed\n");
    return nullptr;
}

// The cell of a strip as a picture of its own; null when the strip has no
// such cell.
std::unique_ptr<Gdiplus::Bitmap> CellOf(Gdiplus::Bitmap& strip, int cell) {
    const int x = cell * kOverlayIconSize;
    if (static_cast<int>(strip.GetWidth()) < x + kOverlayIconSize ||
        static_cast<int>(strip.GetHeight()) < kOverlayIconSize)
        return nullptr;
    std::unique_ptr<Gdiplus::Bitmap> slot(
        strip.Clone(Gdiplus::Rect(x, 0, kOverlayIconSize, kOverlayIconSize), PixelFormat32bppARGB));
    if (!slot || slot->GetLastStatus() != Gdiplus::Ok) return nullptr;
    return slot;
}

bool RecolourSwatch(Gdiplus::Bitmap& swatch, Colour pen) {
    Gdiplus::Rect all(0, 0, static_cast<INT>(swatch.GetWidth()), static_cast<INT>(swatch.GetHeight()));
    Gdiplus::BitmapData data{};
    if (swatch.LockBits(&all, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeWrite, PixelFormat32bppARGB, &data) !=
        Gdiplus::Ok)
        return false;
    RecolourPenPlane(static_cast<uint32_t*>(data.Scan0), all.Width, all.Height, data.Stride / 4, pen);
    return swatch.UnlockBits(&data) == Gdiplus::Ok;
}

}  // namespace

CStatusOverlay::CStatusOverlay(IOverlayController& controller)
    : controller_(controller), ownerThread_(GetCurrentThreadId()) {}

CStatusOverlay::~CStatusOverlay() {
    Destroy();
    Release();
}

int CStatusOverlay::Create(HWND parent, const RECT& rect, int mode) {
    if (!IsOverlayMode(mode) || Handle() || !gdiplus_.Ok()) return 0;
    background_ = controller_.SkinColour(kOverlayBackgroundColourIndex);
    textColour_ = controller_.SkinColour(kOverlayTextColourIndex);
    backgroundBrush_.reset(CreateSolidBrush(background_));
    const wchar_t* cls = framework::RegisterAnonymousClass(0, nullptr, KeptClassBrush(background_));
    if (!backgroundBrush_ || !cls ||
        !framework::CWindow::Create(0, cls, nullptr, WS_CHILD | WS_VISIBLE, rect, parent, 0)) {
        Release();
        return 0;
    }
    RECT client{};
    GetClientRect(Handle(), &client);
    width_ = client.right;
    height_ = client.bottom;
    ownerThread_ = GetWindowThreadProcessId(Handle(), nullptr);
    window_ = Handle();

    bool made = false;
    if (const auto window = winowners::GetDCOwner(Handle())) {
        if (back_.Make(window.get(), width_, height_)) {
            RECT all{0, 0, width_, height_};
            FillRect(back_.Dc(), &all, backgroundBrush_.get());
            made = LoadStateIcons(window.get());
        }
    }
    made = made && SetMode(mode) == 1;
    if (!made) {
        Destroy();
        Release();
        return 0;
    }
    return 1;
}

bool CStatusOverlay::LoadStateIcons(HDC compatible) {
    timerImage_ = LoadProgramPicture(kTimerIconName);
    if (!timerImage_) return false;
    const std::pair<const char*, CMemoryPicture*> prerendered[] = {{kRecordingIconName, &recordingIcon_},
                                                                   {kPauseIconName, &pauseIcon_}};
    for (const auto& [name, icon] : prerendered) {
        auto picture = LoadProgramPicture(name);
        if (!picture || !icon->Make(compatible, kOverlayIconSize, kOverlayIconSize)) return false;
        Gdiplus::Graphics graphics(icon->Dc());
        graphics.Clear(OpaqueColour(background_));
        graphics.DrawImage(picture.get(), 0, 0, kOverlayIconSize, kOverlayIconSize);
    }
    return true;
}

int CStatusOverlay::SetMode(int mode) {
    if (!IsOverlayMode(mode)) return 0;
    mode_ = mode;
    controller_.CopySettings(snapshot_);
    return DrawFields();
}

bool CStatusOverlay::OnOwnThread() const { return GetCurrentThreadId() == ownerThread_.load(); }

int CStatusOverlay::SetTime(int seconds) {
    // From another thread the value goes to the window, or nowhere once the
    // window is gone: a recording thread still counting at exit must not
    // draw into buffers the interface thread is freeing.
    if (!OnOwnThread()) {
        if (const HWND window = window_.load())
            PostMessageW(window, kPostedTime, static_cast<WPARAM>(static_cast<INT_PTR>(seconds)), 0);
        return 1;
    }
    ApplyTime(seconds);
    return 1;
}

void CStatusOverlay::ApplyTime(int seconds) {
    timeText_ = CopyToWide(FormatTime(seconds));
    DrawFields();
}

int CStatusOverlay::SetStateIcon(int icon) {
    if (!OnOwnThread()) {
        const HWND window = window_.load();
        return window && PostMessageW(window, kPostedStateIcon, static_cast<WPARAM>(static_cast<INT_PTR>(icon)), 0) ? 1
                                                                                                                    : 0;
    }
    return DrawStateIcon(icon);
}

int CStatusOverlay::DrawStateIcon(int icon) {
    if (!back_) return 0;
    {
        auto graphics = DrawingOn(back_.Dc());
        if (!graphics) return 0;
        Gdiplus::SolidBrush background(OpaqueColour(background_));
        graphics->FillRectangle(&background, kOverlayStateIconX, 0, kOverlayIconSize, kOverlayIconSize);
        if (icon == kStateIconTimer && timerImage_)
            graphics->DrawImage(timerImage_.get(), kOverlayStateIconX, 0, kOverlayIconSize, kOverlayIconSize);
    }
    const CMemoryPicture* prerendered = icon == kStateIconRecording ? &recordingIcon_
                                        : icon == kStateIconPaused  ? &pauseIcon_
                                                                    : nullptr;
    if (prerendered && *prerendered)
        BitBlt(back_.Dc(), kOverlayStateIconX, 0, kOverlayIconSize, kOverlayIconSize, prerendered->Dc(), 0, 0, SRCCOPY);
    CopyToWindow();
    return 1;
}

int CStatusOverlay::DrawFields() {
    if (!back_) return 0;
    {
        auto graphics = DrawingOn(back_.Dc());
        if (!graphics) return 0;
        const Gdiplus::Color background = OpaqueColour(background_);
        if (mode_ == kOverlayBrowse || mode_ == kOverlayMonitor) {
            graphics->Clear(background);
        } else {
            Gdiplus::SolidBrush brush(background);
            graphics->FillRectangle(&brush, 0, 0, kOverlayTextAreaRight, height_);
        }
        const std::u16string file = mode_ == kOverlayBrowse ? CopyToU16(controller_.CurrentFile()) : std::u16string();
        const std::u16string label = mode_ == kOverlayMonitor
                                         ? CopyToU16(controller_.LanguageText("IDS_STG_SENSITIVITY"))
                                         : std::u16string();
        const OverlayText text = ComposeOverlayText(mode_, snapshot_, CopyToU16(timeText_), file, label);

        CUiTextStyle style(controller_.UiFont(), textColour_);
        style.Draw(*graphics, CopyToWide(text.line),
                   Gdiplus::RectF(0, 0, static_cast<Gdiplus::REAL>(width_), static_cast<Gdiplus::REAL>(height_)));
        if (!text.fileName.empty())
            style.Draw(
                *graphics, CopyToWide(text.fileName),
                Gdiplus::RectF(kOverlayFileNameX, 0, kOverlayFileNameWidth, static_cast<Gdiplus::REAL>(height_)));
    }
    if (mode_ != kOverlayMonitor) DrawIconRow();
    CopyToWindow();
    return 1;
}

void CStatusOverlay::DrawIconRow() {
    std::vector<std::unique_ptr<Gdiplus::Bitmap>> slots;
    for (const OverlayIconCell& icon : SelectOverlayIcons(mode_, snapshot_)) {
        // A strip that will not load leaves the whole row as it was.
        auto strip = LoadProgramPicture(OverlayIconPicture(icon.icon));
        if (!strip) return;
        auto slot = CellOf(*strip, icon.cell);
        if (!slot) return;
        if (icon.icon == OverlayIcon::PenColour && !RecolourSwatch(*slot, static_cast<Colour>(snapshot_.color))) return;
        slots.push_back(std::move(slot));
    }
    auto graphics = DrawingOn(back_.Dc());
    if (!graphics) return;
    Gdiplus::SolidBrush background(OpaqueColour(background_));
    graphics->FillRectangle(&background, kOverlayIconRowLeft, 0, width_ - kOverlayIconRowLeft, height_);
    const int count = static_cast<int>(slots.size());
    for (int i = 0; i < count; ++i) {
        graphics->DrawImage(slots[static_cast<size_t>(i)].get(), OverlayIconX(0, width_, count, i), 0, kOverlayIconSize,
                            kOverlayIconSize);
        slots[static_cast<size_t>(i)].reset();
    }
}

void CStatusOverlay::CopyToWindow() {
    if (!Handle() || !back_) return;
    if (const auto dc = winowners::GetDCOwner(Handle())) {
        back_.CopyTo(dc.get(), RECT{0, 0, width_, height_});
    }
}

void CStatusOverlay::Release() {
    window_ = nullptr;
    back_.Release();
    recordingIcon_.Release();
    pauseIcon_.Release();
    timerImage_.reset();
    backgroundBrush_.reset();
}

void CStatusOverlay::OnDestroy() { Release(); }

LRESULT CStatusOverlay::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MODE_CHANGED: SetMode(static_cast<int>(static_cast<INT_PTR>(wParam))); break;
    case WM_STATUS_REFRESH: SetMode(mode_); break;
    case kPostedTime: ApplyTime(static_cast<int>(static_cast<INT_PTR>(wParam))); return 0;
    case kPostedStateIcon: DrawStateIcon(static_cast<int>(static_cast<INT_PTR>(wParam))); return 0;
    case WM_PAINT: {
        // Only the painted part, from what is already drawn.
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(Handle(), &paint);
        if (dc && back_) back_.CopyTo(dc, paint.rcPaint);
        EndPaint(Handle(), &paint);
        return 0;
    }
    default: break;
    }
    return CSkinControl::WindowProc(message, wParam, lParam);
}

}  // namespace vimbrel::ui
