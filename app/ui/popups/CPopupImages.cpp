#include "CPopupImages.h"

#include "PopupLogic.h"
#include "ProgramPicture.h"

namespace vimbrel::ui {

namespace {

using namespace popup_colours;

void Frame(Gdiplus::Graphics& graphics, Gdiplus::Color colour, int x, int y, int w, int h) {
    Gdiplus::Pen pen(colour, 1.0f);
    graphics.DrawRectangle(&pen, x, y, w, h);
}

void Fill(Gdiplus::Graphics& graphics, Gdiplus::Color colour, int x, int y, int w, int h) {
    Gdiplus::SolidBrush brush(colour);
    graphics.FillRectangle(&brush, x, y, w, h);
}

}  // namespace

CPopupImages::CPopupImages(IPopupController& controller) : CBufferedPopup(controller) {}

CPopupImages::~CPopupImages() {
    Destroy();
    Release();
}

void CPopupImages::Release() {
    CBufferedPopup::Release();
    strip_.reset();
}

bool CPopupImages::Filters() const { return ImagePopupShowsNames(settingId_); }

bool CPopupImages::Create(HWND owner, const RECT& buttonOnScreen, int settingId, RECT& placed) {
    if (Handle()) return false;
    settingId_ = settingId;
    currentValue_ = ReadSetting(settingId);
    selected_ = currentValue_ >= 0 && currentValue_ < kThumbCells ? currentValue_ : -1;
    std::wstring title;
    if (!controller_.ItemTitle(settingId, title)) return false;
    const char* stripName = ThumbStripName(settingId);
    if (!stripName) return false;
    strip_ = LoadProgramPicture(stripName);
    if (!strip_) return false;
    if (!MakeWindow(buttonOnScreen, kImagePopupWidth, kImagePopupHeight, 0, WS_POPUP, owner, nullptr, placed)) {
        Release();
        return false;
    }
    if (!MakePicture()) {
        Release();
        return false;
    }
    DrawAll();
    FadeIn(buttonOnScreen, placed);
    return true;
}

void CPopupImages::DrawThumb(Gdiplus::Graphics& graphics, int cell) {
    const CellPoint at = ImageCellOrigin(cell);
    graphics.DrawImage(strip_.get(), Gdiplus::Rect(at.x, at.y, kThumbWidth, kThumbHeight), cell * kThumbWidth, 0,
                       kThumbWidth, kThumbHeight, Gdiplus::UnitPixel);
    Frame(graphics, Gdiplus::Color(kCellFrame), at.x, at.y, kThumbWidth, kThumbHeight);
}

void CPopupImages::DrawAll() {
    Gdiplus::Graphics graphics(picture_.Dc());
    FillBars(graphics);
    DrawTitle(graphics, 1.0f);
    for (int cell = 0; cell < kThumbCells; ++cell) {
        const CellPoint at = ImageCellOrigin(cell);
        if (Filters()) {
            DrawThumb(graphics, cell);
            if (cell == selected_) {
                Frame(graphics, Gdiplus::Color(kInnerSelection), at.x - 1, at.y - 1, 34, 26);
                Frame(graphics, Gdiplus::Color(kSelection), at.x - 2, at.y - 2, 36, 28);
            }
            if (cell == hover_) Frame(graphics, Gdiplus::Color(kWhiteLine), at.x - 1, at.y - 1, 34, 26);
        } else {
            if (cell == selected_)
                Fill(graphics, Gdiplus::Color(kSelectedThumb), at.x, at.y, kThumbWidth, kThumbHeight);
            else if (cell == hover_)
                Fill(graphics, Gdiplus::Color(kWhiteLine), at.x, at.y, kThumbWidth, kThumbHeight);
            DrawThumb(graphics, cell);
        }
    }
    DrawBorder(graphics);
    DrawLine(graphics, 16);
}

void CPopupImages::DrawName(Gdiplus::Graphics& graphics, int cell) {
    // Fetched once the popup has been shown, so the texts of the language
    // the program runs in by then are used.
    if (names_.empty())
        for (const char* key : kEffectNameKeys) names_.push_back(controller_.LanguageText(key));
    Fill(graphics, Skin(kPopupTitleColour), 70, 2, width_ - 72, 14);
    const int name = EffectNameOfCell(settingId_, cell);
    if (name < 0) return;
    Text().Draw(graphics, names_[name], Gdiplus::RectF(70.0f, 1.0f, static_cast<float>(width_ - 72), 15.0f),
                Gdiplus::Color(kWhiteLine), true);
}

void CPopupImages::DrawCell(int cell) {
    if (cell < 0 || cell >= kThumbCells || !picture_) return;
    Gdiplus::Graphics graphics(picture_.Dc());
    const CellPoint at = ImageCellOrigin(cell);
    if (Filters()) {
        Frame(graphics, Skin(kPopupBodyColour), at.x - 1, at.y - 1, 34, 26);
        Frame(graphics, Skin(kPopupBodyColour), at.x - 2, at.y - 2, 36, 28);
        if (cell == selected_) {
            Frame(graphics, Gdiplus::Color(kInnerSelection), at.x - 1, at.y - 1, 34, 26);
            Frame(graphics, Gdiplus::Color(kSelection), at.x - 2, at.y - 2, 36, 28);
        } else if (cell == hover_) {
            Frame(graphics, Gdiplus::Color(kWhiteLine), at.x - 1, at.y - 1, 34, 26);
        }
        DrawName(graphics, cell);
        return;
    }
    Gdiplus::Color back = Skin(kPopupBodyColour);
    if (cell == selected_)
        back = Gdiplus::Color(kSelectedThumb);
    else if (cell == hover_)
        back = Gdiplus::Color(kWhiteLine);
    Fill(graphics, back, at.x, at.y, kThumbWidth, kThumbHeight);
    DrawThumb(graphics, cell);
}

void CPopupImages::OnMouseMove(int x, int y) {
    if (GetCapture() != Handle()) SetCapture(Handle());
    if (!Inside(x, y)) {
        if (InButton(x, y)) {
            const int old = hover_;
            hover_ = -1;
            DrawCell(old);
            DrawCell(selected_);
            Present();
        }
        LeaveTo(x, y);
        return;
    }
    const int cell = ImageCellAt(x, y);
    if (cell < 0 || cell == hover_) return;
    const int old = hover_;
    hover_ = cell;
    DrawCell(old);
    DrawCell(hover_);
    Present();
}

void CPopupImages::OnShowing() {
    // The live effect and the frame exclude each other: choosing one in its
    // popup sets the other back to none, so the mark is taken again here.
    // A setting that is not kept (the face) leaves the popup's own mark.
    int value = 0;
    if (!controller_.GetSetting(settingId_, value)) return;
    const int cell = value >= 0 && value < kThumbCells ? value : -1;
    currentValue_ = value;
    if (cell == selected_ || !picture_) return;
    selected_ = cell;
    DrawAll();
}

void CPopupImages::OnButtonUp(int x, int y) {
    if (!Inside(x, y) || y <= 16) return;
    const int cell = ImageCellAt(x, y);
    if (cell < 0) return;
    const int old = selected_;
    selected_ = cell;
    currentValue_ = cell;
    if (GetCapture() == Handle()) ReleaseCapture();
    controller_.ApplySetting(settingId_, cell);
    DrawCell(old);
    DrawCell(selected_);
    Present();
}

}  // namespace vimbrel::ui
