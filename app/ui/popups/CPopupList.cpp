#include "CPopupList.h"

#include "PopupLogic.h"

#include <commdlg.h>

namespace vimbrel::ui {

namespace {

Gdiplus::Color FromColour(Colour colour) { return Gdiplus::Color(255, RedOf(colour), GreenOf(colour), BlueOf(colour)); }

}  // namespace

CPopupList::CPopupList(IPopupController& controller) : CBufferedPopup(controller) {}

CPopupList::~CPopupList() {
    Destroy();
    Release();
}

bool CPopupList::Create(HWND owner, const RECT& buttonOnScreen, int settingId, RECT& placed) {
    if (Handle()) return false;
    settingId_ = settingId;
    currentValue_ = ReadSetting(settingId);
    std::wstring title;
    if (!controller_.ItemTitle(settingId, title)) return false;
    const int pen = ReadSetting(kPopupPenColourId);
    selected_ = pen >= 0 ? PaletteIndexOf(static_cast<Colour>(pen)) : -1;
    if (!MakeWindow(buttonOnScreen, kColourPopupWidth, kColourPopupHeight, 0, WS_POPUP, owner, nullptr, placed))
        return false;
    if (!MakePicture()) return false;
    DrawAll();
    FadeIn(buttonOnScreen, placed);
    return true;
}

void CPopupList::DrawAll() {
    Gdiplus::Graphics graphics(picture_.Dc());
    FillBars(graphics);
    DrawTitle(graphics, 2.0f);
    Text().Draw(graphics, L"more.",
                Gdiplus::RectF(0.0f, static_cast<float>(kMoreLineY), static_cast<float>(width_),
                               static_cast<float>(height_ - kMoreLineY)),
                Gdiplus::Color(popup_colours::kMoreText), true);
    Gdiplus::Pen cellFrame(Gdiplus::Color(popup_colours::kCellFrame), 1.0f);
    Gdiplus::Pen selection(Gdiplus::Color(popup_colours::kSelection), 1.0f);
    for (int cell = 0; cell < kPaletteSize; ++cell) {
        const CellPoint at = PaletteCellOrigin(cell);
        Gdiplus::SolidBrush fill(FromColour(kPalette[cell]));
        graphics.FillRectangle(&fill, at.x + 2, at.y, 9, 9);
        graphics.DrawRectangle(&cellFrame, at.x + 1, at.y - 1, 9, 9);
        if (cell == selected_) graphics.DrawRectangle(&selection, at.x, at.y - 2, 11, 11);
    }
    DrawBorder(graphics);
    DrawLine(graphics, 17);
    DrawLine(graphics, kMoreLineY);
}

void CPopupList::DrawCell(int cell) {
    if (cell < 0 || cell >= kPaletteSize || !picture_) return;
    Gdiplus::Graphics graphics(picture_.Dc());
    const CellPoint at = PaletteCellOrigin(cell);
    const bool marked = cell == selected_ || cell == hover_;
    Gdiplus::Pen pen(marked ? Gdiplus::Color(popup_colours::kSelection) : Skin(kPopupBodyColour), 1.0f);
    graphics.DrawRectangle(&pen, at.x, at.y - 2, 11, 11);
}

void CPopupList::DrawMore() {
    if (!picture_) return;
    Gdiplus::Graphics graphics(picture_.Dc());
    // Cleared first: anti-aliased text drawn over itself in another colour
    // would keep a fringe of the old one.
    Gdiplus::SolidBrush body(Skin(kPopupBodyColour));
    graphics.FillRectangle(&body, 1, kMoreLineY + 1, width_ - 2, height_ - kMoreLineY - 2);
    const Gdiplus::Color colour = moreHover_ ? Skin(kPopupTitleTextColour) : Gdiplus::Color(popup_colours::kMoreText);
    Text().Draw(graphics, L"more.",
                Gdiplus::RectF(0.0f, static_cast<float>(kMoreLineY), static_cast<float>(width_),
                               static_cast<float>(height_ - kMoreLineY)),
                colour, true);
}

void CPopupList::OnMouseMove(int x, int y) {
    if (GetCapture() != Handle()) SetCapture(Handle());
    if (!Inside(x, y)) {
        LeaveTo(x, y);
        return;
    }
    const PaletteHit hit = PaletteMoveHit(x, y);
    if (hit.kind == PaletteHitKind::None) return;
    if (hit.kind == PaletteHitKind::More) {
        if (!moreHover_) {
            moreHover_ = true;
            DrawMore();
            Present();
        }
        return;
    }
    if (moreHover_) {
        moreHover_ = false;
        DrawMore();
    }
    if (hit.cell != hover_) {
        const int old = hover_;
        hover_ = hit.cell;
        DrawCell(hover_);
        DrawCell(old);
    }
    Present();
}

void CPopupList::OnButtonUp(int x, int y) {
    if (!Inside(x, y)) return;
    const PaletteHit hit = PaletteClickHit(x, y);
    if (hit.kind == PaletteHitKind::None) return;
    if (hit.kind == PaletteHitKind::More) {
        ChooseOtherColour();
        return;
    }
    // The cell under the click, which a move there has made the hover cell.
    hover_ = hit.cell;
    const int old = selected_;
    selected_ = hit.cell;
    DrawCell(old);
    DrawCell(selected_);
    Present();
    currentValue_ = static_cast<int>(kPalette[selected_]);
    controller_.ApplySetting(settingId_, currentValue_);
}

void CPopupList::ChooseOtherColour() {
    // The dialog is modal over the popup; the mouse must be free for it.
    if (GetCapture() == Handle()) ReleaseCapture();
    COLORREF custom[16] = {};
    CHOOSECOLORW choose{};
    choose.lStructSize = sizeof(choose);
    choose.hwndOwner = Handle();
    choose.lpCustColors = custom;
    choose.Flags = CC_FULLOPEN;
    if (ChooseColorW(&choose)) {
        currentValue_ = static_cast<int>(choose.rgbResult);
        controller_.ApplySetting(settingId_, currentValue_);
    }
    Hide();
    if (GetCapture() == Handle()) ReleaseCapture();
}

}  // namespace vimbrel::ui
