#include "CEffectThumb.h"
#include "winowners/GdiOwners.h"

#include <windowsx.h>

#include "FrameImageLoader.h"
#include "dshowbase/Module.h"

namespace lenstint {
namespace {

const Gdiplus::ARGB kCellWhite = 0xFFFFFFFF;
const Gdiplus::ARGB kSelectedFill = 0xFFCFCDCE;
const Gdiplus::ARGB kSelectedFrame = 0xFF375F65;
const Gdiplus::ARGB kHoverFrame = 0xFF8C8C8C;
const Gdiplus::ARGB kLabelColour = 0xFF000000;

bool ValidSheet(int sheet) { return sheet >= 0 && sheet < CEffectThumb::kSheets; }
bool ValidItem(int item) { return item >= 0 && item < kGalleryItems; }

Gdiplus::Rect ToRect(const CellRect& r) { return Gdiplus::Rect(r.x, r.y, r.width, r.height); }

}  // namespace

const wchar_t CEffectThumb::kClassName[] = L"VimbrelEffectThumb";

bool CEffectThumb::Create(HWND parent, int controlId, int x, int y, int width, int height) {
    Destroy();
    if (!gdiplus_.Ready() || width <= 0 || height <= 0) return false;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &CEffectThumb::WindowProc;
    windowClass.hInstance = dshowbase::ModuleInstance();
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;

    width_ = width;
    height_ = height;
    if (!backBuffer_.Create(width, height, 32)) return false;
    graphics_ = std::make_unique<Gdiplus::Graphics>(backBuffer_.Dc());
    graphics_->SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAliasGridFit);
    graphics_->SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
    graphics_->SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);

    // The labels' face; where it is not installed, the system's sans-serif.
    fontFamily_ = std::make_unique<Gdiplus::FontFamily>(L"Tahama");
    const Gdiplus::FontFamily* family = fontFamily_.get();
    if (fontFamily_->GetLastStatus() != Gdiplus::Ok) {
        fontFamily_.reset();
        family = Gdiplus::FontFamily::GenericSansSerif();
    }
    font_ = std::make_unique<Gdiplus::Font>(family, 10.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
    labelFormat_ = std::make_unique<Gdiplus::StringFormat>();
    labelFormat_->SetAlignment(Gdiplus::StringAlignmentCenter);
    labelFormat_->SetLineAlignment(Gdiplus::StringAlignmentNear);
    labelFormat_->SetTrimming(Gdiplus::StringTrimmingEllipsisCharacter);

    window_ = CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, x, y, width, height, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), dshowbase::ModuleInstance(),
                              this);
    if (!window_) {
        Destroy();
        return false;
    }
    owner_ = parent;
    // Above the tab control it lies on.
    SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return true;
}

void CEffectThumb::Destroy() {
    if (window_) {
        DestroyWindow(window_);
        window_ = nullptr;
        // Fails harmlessly while another page still shows a grid.
        UnregisterClassW(kClassName, dshowbase::ModuleInstance());
    }
    owner_ = nullptr;
    labelFormat_.reset();
    font_.reset();
    fontFamily_.reset();
    graphics_.reset();
    for (auto& strip : strips_) strip.reset();
    backBuffer_.Reset();
    for (auto& sheet : labels_)
        for (auto& label : sheet) label.clear();
    selected_[0] = selected_[1] = 0;
    shown_ = 0;
    hovered_ = -1;
    drawn_ = false;
    tracking_ = false;
}

bool CEffectThumb::LoadSheet(int sheet, HMODULE module, const wchar_t* resourceName) {
    if (!ValidSheet(sheet) || !module || !gdiplus_.Ready()) return false;
    CLoadedImage image;
    if (!LoadImageResource(module, resourceName, L"IMAGE", image)) return false;
    // A decoded copy, so the resource's stream need not outlive this call.
    strips_[sheet] = ResizeImage(*image.bitmap, kThumbWidth * kGalleryItems, kThumbHeight);
    return strips_[sheet] != nullptr;
}

void CEffectThumb::SetLabel(int sheet, int item, const std::wstring& text) {
    if (ValidSheet(sheet) && ValidItem(item)) labels_[sheet][item] = text;
}

void CEffectThumb::Select(int sheet, int item) {
    if (ValidSheet(sheet)) selected_[sheet] = ValidItem(item) ? item : 0;
}

void CEffectThumb::ShowSheet(int sheet) {
    if (!ValidSheet(sheet)) return;
    shown_ = sheet;
    hovered_ = -1;
    DrawSheet();
}

void CEffectThumb::DrawSheet() {
    if (!graphics_) return;
    graphics_->Clear(Gdiplus::Color(kCellWhite));
    for (int item = 0; item < kGalleryItems; ++item) DrawCell(item);
    Present();
    drawn_ = true;
}

void CEffectThumb::DrawCell(int item) {
    if (!graphics_ || !ValidItem(item)) return;
    const CellLayout layout = GalleryCell(item, width_, height_);
    const CellRect& c = layout.cell;
    const bool selected = selected_[shown_] == item;
    Gdiplus::SolidBrush fill(Gdiplus::Color(selected ? kSelectedFill : kCellWhite));
    graphics_->FillRectangle(&fill, ToRect(c));
    if (Gdiplus::Bitmap* strip = strips_[shown_].get()) {
        graphics_->DrawImage(strip, Gdiplus::Rect(layout.thumbX, layout.thumbY, kThumbWidth, kThumbHeight),
                             kThumbWidth * item, 0, kThumbWidth, kThumbHeight, Gdiplus::UnitPixel);
    }
    if (selected) {
        Gdiplus::Pen frame(Gdiplus::Color(kSelectedFrame), 2.0f);
        graphics_->DrawRectangle(&frame, c.x + 1, c.y + 1, c.width - 2, c.height - 2);
    }
    const std::wstring& label = labels_[shown_][item];
    if (!label.empty() && font_) {
        Gdiplus::SolidBrush ink{Gdiplus::Color(kLabelColour)};
        const Gdiplus::RectF box(static_cast<Gdiplus::REAL>(layout.label.x), static_cast<Gdiplus::REAL>(layout.label.y),
                                 static_cast<Gdiplus::REAL>(layout.label.width),
                                 static_cast<Gdiplus::REAL>(layout.label.height));
        graphics_->DrawString(label.c_str(), -1, font_.get(), box, labelFormat_.get(), &ink);
    }
    if (item == hovered_) DrawHoverFrame(item, true);
}

void CEffectThumb::DrawHoverFrame(int item, bool hovered) {
    if (!graphics_ || !ValidItem(item)) return;
    const CellRect c = GalleryCell(item, width_, height_).cell;
    Gdiplus::ARGB colour = kHoverFrame;
    if (!hovered) colour = selected_[shown_] == item ? kSelectedFrame : kCellWhite;
    Gdiplus::Pen pen(Gdiplus::Color(colour), 1.0f);
    graphics_->DrawRectangle(&pen, c.x, c.y, c.width - 1, c.height - 1);
}

void CEffectThumb::Present() {
    if (!window_ || !graphics_) return;
    graphics_->Flush(Gdiplus::FlushIntentionSync);
    if (const auto dc = winowners::GetDCOwner(window_)) {
        BitBlt(dc.get(), 0, 0, width_, height_, backBuffer_.Dc(), 0, 0, SRCCOPY);
    }
}

void CEffectThumb::OnMouseMove(int x, int y) {
    if (!tracking_) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window_, 0};
        tracking_ = TrackMouseEvent(&track) != FALSE;
    }
    if (!drawn_) return;
    const int hit = GalleryHitTest(x, y, width_, height_);
    if (hit == hovered_) return;
    const int previous = hovered_;
    hovered_ = hit;
    DrawHoverFrame(previous, false);
    DrawHoverFrame(hit, true);
    Present();
}

void CEffectThumb::OnButtonDown() {
    const int item = hovered_;
    if (!ValidItem(item) || item == selected_[shown_]) return;
    const int previous = selected_[shown_];
    selected_[shown_] = item;
    DrawCell(previous);
    DrawCell(item);
    Present();
    PostMessageW(owner_, shown_ == 0 ? kGalleryFilterClicked : kGalleryFrameClicked, static_cast<WPARAM>(item), 0);
    // One choice at a time: the other sheet falls back to its first item.
    selected_[1 - shown_] = 0;
}

void CEffectThumb::OnMouseLeave() {
    tracking_ = false;
    const int previous = hovered_;
    hovered_ = -1;
    if (ValidItem(previous)) {
        DrawHoverFrame(previous, false);
        Present();
    }
}

LRESULT CEffectThumb::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEMOVE: OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
    case WM_LBUTTONDOWN: OnButtonDown(); return 0;
    case WM_MOUSELEAVE: OnMouseLeave(); return 0;
    case WM_ERASEBKGND: return 1;  // the back buffer covers every pixel
    case WM_PAINT: {
        PAINTSTRUCT paint;
        if (HDC dc = BeginPaint(window_, &paint)) {
            if (backBuffer_.Valid()) BitBlt(dc, 0, 0, width_, height_, backBuffer_.Dc(), 0, 0, SRCCOPY);
            EndPaint(window_, &paint);
        }
        return 0;
    }
    case WM_PRINTCLIENT:
        if (backBuffer_.Valid() && graphics_) {
            graphics_->Flush(Gdiplus::FlushIntentionSync);
            BitBlt(reinterpret_cast<HDC>(wParam), 0, 0, width_, height_, backBuffer_.Dc(), 0, 0, SRCCOPY);
        }
        return 0;
    default: return DefWindowProcW(window_, message, wParam, lParam);
    }
}

LRESULT CALLBACK CEffectThumb::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CEffectThumb* self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<CEffectThumb*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        if (self) self->window_ = window;
    } else {
        self = reinterpret_cast<CEffectThumb*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    }
    if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    if (!self || self->window_ != window) return DefWindowProcW(window, message, wParam, lParam);
    return self->Handle(message, wParam, lParam);
}

}  // namespace lenstint
