#include "CPopupIcons.h"
#include "winowners/GdiOwners.h"

#include "ClassBrush.h"
#include "FunctionPanelLogic.h"
#include "PopupLogic.h"
#include "ProgramPicture.h"

namespace vimbrel::ui {

namespace {

bool IsFileTypeSetting(int settingId) {
    return settingId == kPanelVideoFileTypeId || settingId == kPanelAudioFileTypeId ||
           settingId == kPanelImageFileTypeId;
}

}  // namespace

CPopupIcons::CPopupIcons(IPopupController& controller) : CPopupWindow(controller) {}

CPopupIcons::~CPopupIcons() {
    Destroy();
    Release();
}

void CPopupIcons::Release() {
    highlight_.reset();
    strip_.reset();
}

bool CPopupIcons::FetchEntries() {
    std::wstring title;
    if (!controller_.ItemTitle(settingId_, title)) return false;
    entries_ = controller_.ItemEntries(settingId_);
    count_ = 0;
    for (const PopupEntry& entry : entries_)
        if (entry.enabled) ++count_;
    return count_ > 0;
}

bool CPopupIcons::Create(HWND, const RECT& buttonOnScreen, int settingId, RECT& placed) {
    if (Handle()) return false;
    settingId_ = settingId;
    currentValue_ = ReadSetting(settingId);
    if (!FetchEntries()) return false;
    highlight_ = LoadProgramPicture("highlight.png");
    if (!highlight_) return false;
    if (const char* strip = IconStripName(settingId)) strip_ = LoadProgramPicture(strip);

    // Measured the way the rows draw them: from x 15 in a 300 x 40 box.
    std::vector<float> widths;
    {
        const auto screen = winowners::GetDCOwner(nullptr);
        Gdiplus::Graphics graphics(screen.get());
        const Gdiplus::RectF layout(15.0f, 0.0f, 300.0f, 40.0f);
        for (const PopupEntry& entry : entries_)
            if (entry.enabled) widths.push_back(Text().Width(graphics, entry.text, layout));
    }
    const PopupSize size = IconPopupSize(widths);
    HBRUSH body = KeptClassBrush(controller_.SkinColour(kPopupBodyColour));
    // No owner: the tool window lives beside the main window.
    if (!MakeWindow(buttonOnScreen, size.width, size.height, WS_EX_TOOLWINDOW, WS_POPUP, nullptr, body, placed)) {
        Release();
        return false;
    }
    FadeIn(buttonOnScreen, placed);
    return true;
}

bool CPopupIcons::Rebuild(const RECT& buttonOnScreen, RECT& placed) {
    if (!Handle()) return false;
    if (settingId_ == kPopupDateId) controller_.RefreshDateFormats();
    if (!FetchEntries()) return false;
    width_ = kIconPopupMinWidth;
    height_ = IconPopupHeight(count_);
    SetWindowPos(Handle(), nullptr, 0, 0, width_, height_, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    placed = RECT{buttonOnScreen.left, buttonOnScreen.top - height_, buttonOnScreen.left + width_, buttonOnScreen.top};
    KeepButtonRect(buttonOnScreen, placed);
    InvalidateRect(Handle(), nullptr, TRUE);
    return true;
}

void CPopupIcons::PaintTo(HDC dc, const RECT&) {
    Gdiplus::Graphics graphics(dc);
    FillBars(graphics);
    DrawTitle(graphics, 2.0f);

    currentValue_ = ReadSetting(settingId_);
    int current = currentValue_;
    if (settingId_ == kPopupShootModeId && current >= 0) current = controller_.EntryToVisibleIndex(settingId_, current);

    const int stripWidth = strip_ ? static_cast<int>(strip_->GetWidth()) : 0;
    const Gdiplus::Color currentColour = Skin(kPopupCurrentTextColour);
    const Gdiplus::Color hoverColour = Skin(kPopupHoverTextColour);
    const Gdiplus::Color normalColour = Skin(kPopupTextColour);
    int row = 0;
    for (int entry = 0; entry < static_cast<int>(entries_.size()) && row < count_; ++entry) {
        if (!entries_[entry].enabled) continue;
        const int y = IconRowTop(row);
        Gdiplus::RectF box(15.0f, static_cast<float>(y), static_cast<float>(width_), 16.0f);
        // Shoot mode's icons follow the whole list, so a hidden mode
        // does not shift the pictures of the ones after it.
        const int cell = settingId_ == kPopupShootModeId ? entry : row;
        if (strip_ && StripHasCell(stripWidth, cell)) {
            graphics.DrawImage(strip_.get(), Gdiplus::Rect(10, y + 1, kIconCell, kIconCell), cell * kIconCell, 0,
                               kIconCell, kIconCell, Gdiplus::UnitPixel);
            box.X += 10.0f;
        }
        Gdiplus::Color colour = normalColour;
        if (row == current) {
            graphics.DrawImage(highlight_.get(), Gdiplus::Rect(6, y + 5, 3, 5), 0, 0, 3, 5, Gdiplus::UnitPixel);
            colour = currentColour;
        } else if (row == hover_) {
            colour = hoverColour;
        }
        Text().Draw(graphics, entries_[entry].text, box, colour);
        ++row;
    }

    DrawBorder(graphics);
    for (int y = kIconRowHeight; y < height_; y += kIconRowHeight) DrawLine(graphics, y);
}

void CPopupIcons::OnMouseMove(int x, int y) {
    if (GetCapture() != Handle()) SetCapture(Handle());
    if (!Inside(x, y)) {
        LeaveTo(x, y);
        return;
    }
    const int row = IconHoverRow(y);
    if (row >= 0 && row != hover_) {
        hover_ = row;
        InvalidateRect(Handle(), nullptr, FALSE);
    }
}

void CPopupIcons::OnButtonUp(int x, int y) {
    if (!Inside(x, y)) return;
    const int row = IconClickRow(y, count_);
    if (row < 0) return;
    hover_ = -1;
    currentValue_ = row;
    Hide();
    if (GetCapture() == Handle()) ReleaseCapture();
    int value = row;
    if (settingId_ == kPopupShootModeId) value = controller_.VisibleToEntryIndex(settingId_, row);
    controller_.ApplySetting(settingId_, value);
    if (IsFileTypeSetting(settingId_)) controller_.RelayoutFunctionPanel();
}

}  // namespace vimbrel::ui
