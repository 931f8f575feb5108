// The canvas's mouse, menu and cursor handling: pen strokes, stamps and
// their preview, the context menu's commands, leaving the window.
#include "CPhotoCanvas.h"

#include "PenStroke.h"

#include <windowsx.h>

namespace vimbrel::canvas {

namespace {

CanvasPoint PointOf(LPARAM lParam) { return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

bool Overlaps(const CanvasRect& a, const CanvasRect& b) { return !IntersectionOf(a, b).Empty(); }

}  // namespace

LRESULT CPhotoCanvas::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: OnPaint(); return 0;
    case WM_LBUTTONDOWN: OnLeftDown(PointOf(lParam)); return 0;
    case WM_MOUSEMOVE: OnMouseMove(PointOf(lParam), wParam); return 0;
    case WM_LBUTTONUP: OnLeftUp(PointOf(lParam)); return 0;
    case WM_RBUTTONDOWN: OnRightDown(PointOf(lParam)); return 0;
    case WM_COMMAND:
        if (lParam == 0) {
            OnCommand(LOWORD(wParam));
            return 0;
        }
        break;
    case WM_TIMER:
        if (wParam == kCanvasTimerId) {
            OnTimer();
            return 0;
        }
        break;
    case WM_MOUSELEAVE:
        trackingMouse_ = false;
        OnMouseLeft();
        return 0;
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == Handle() && LOWORD(lParam) == HTCLIENT && OnSetCursor()) return TRUE;
        break;
    case WM_DESTROY:
        KillTimer(Handle(), kCanvasTimerId);
        windowDc_.reset();
        break;
    default: break;
    }
    return framework::CWindow::WindowProc(message, wParam, lParam);
}

// --- pen -----------------------------------------------------------------------

void CPhotoCanvas::DrawTips(CCanvasSurface& surface, CanvasPoint from, CanvasPoint to, float width) {
    Gdiplus::Graphics* g = surface.Graphics();
    if (!g) return;
    // One path for the whole segment: overlapping tips of an opaque colour
    // fill as their union, in one pass instead of one per pixel step.
    Gdiplus::GraphicsPath path(Gdiplus::FillModeWinding);
    const bool square = TipIsSquare(width);
    ForEachSegmentTip(from, to, width, [&](CanvasPoint c) {
        const Gdiplus::RectF tip(static_cast<Gdiplus::REAL>(c.x), static_cast<Gdiplus::REAL>(c.y), width, width);
        if (square)
            path.AddRectangle(tip);
        else
            path.AddEllipse(tip);
    });
    Gdiplus::SolidBrush brush{Gdiplus::Color(penColour_)};
    g->FillPath(&brush, &path);
}

void CPhotoCanvas::DrawPenSegment(CanvasPoint from, CanvasPoint to) {
    DrawTips(view_, from, to, penWidth_);
    const CanvasRect touched = SegmentRepaintRect(from, to, penWidth_);
    Present(touched);
    if (Overlaps(touched, layout_.view)) edits_.SetPending(true);
    DrawTips(fullSize_, MapToPicture(layout_, from), MapToPicture(layout_, to), fullPenWidth_);
    edits_.Drawn();
}

// --- stamps --------------------------------------------------------------------

CCanvasStamp* CPhotoCanvas::ActiveStamp() {
    if (tool_ == kToolPictureStamp) return &pictureStamp_;
    if (tool_ == kToolBrushStamp) return &brushStamp_;
    return nullptr;
}

void CPhotoCanvas::WipeStampPreview(bool present) {
    if (!previewShown_) return;
    previewShown_ = false;
    RingSlot& top = ring_[static_cast<size_t>(edits_.Ring().Top())];
    if (!top.view.Ok()) return;
    const CanvasRect r = IntersectionOf(previewRect_, {0, 0, width_, height_});
    if (r.Empty()) return;
    view_.Flush();
    top.view.Flush();
    BitBlt(view_.Dc(), r.x, r.y, r.width, r.height, top.view.Dc(), r.x, r.y, SRCCOPY);
    if (present) Present(r);
}

void CPhotoCanvas::PreviewStampAt(CanvasPoint point) {
    CCanvasStamp* stamp = ActiveStamp();
    const CanvasRect old = previewShown_ ? previewRect_ : CanvasRect{};
    WipeStampPreview(false);
    mouseState_ = MouseState::StampPreview;
    // The preview is wiped from the ring's top copy; without one it could
    // never be taken away again.
    if (!stamp || !stamp->Image() || !ring_[static_cast<size_t>(edits_.Ring().Top())].view.Ok()) {
        Present(old);
        return;
    }
    const CanvasRect rect = CentredStampRect(point, stamp->Width(), stamp->Height(), stampScale_);
    if (Gdiplus::Graphics* g = view_.Graphics())
        g->DrawImage(stamp->Image(), Gdiplus::Rect(rect.x, rect.y, rect.width, rect.height));
    previewShown_ = true;
    previewRect_ = rect;
    Present(UnionOf(old, rect));
}

void CPhotoCanvas::StampAt(CanvasPoint point) {
    CCanvasStamp* stamp = ActiveStamp();
    if (!stamp || !stamp->Image()) return;
    // The preview goes first, or a half-transparent stamp would be laid on
    // the view twice and once on the picture that is saved.
    WipeStampPreview(false);
    const CanvasRect onView = CentredStampRect(point, stamp->Width(), stamp->Height(), stampScale_);
    if (Gdiplus::Graphics* g = view_.Graphics())
        g->DrawImage(stamp->Image(), Gdiplus::Rect(onView.x, onView.y, onView.width, onView.height));
    const CanvasRect onPicture = CentredStampRect(MapToPicture(layout_, point), stamp->Width(), stamp->Height(),
                                                  stampScale_ * layout_.scale);
    if (Gdiplus::Graphics* g = fullSize_.Graphics())
        g->DrawImage(stamp->Image(), Gdiplus::Rect(onPicture.x, onPicture.y, onPicture.width, onPicture.height));
    Present(onView);
    edits_.Drawn();
    if (Overlaps(onView, layout_.view)) edits_.SetPending(true);
    if (edits_.Pending()) PushUndo();
}

void CPhotoCanvas::TransformStamp(UINT command) {
    stampTransform_.Apply(static_cast<int>(command));
    if (CCanvasStamp* stamp = ActiveStamp()) stamp->ApplyCommand(static_cast<int>(command));
}

// --- mouse ---------------------------------------------------------------------

void CPhotoCanvas::OnLeftDown(CanvasPoint point) {
    if (!editingEnabled_ || menuOpen_) return;
    if (tool_ == kToolPen) {
        lastPoint_ = currentPoint_ = point;
        mouseState_ = MouseState::Pressed;
    } else if (tool_ == kToolPictureStamp || tool_ == kToolBrushStamp) {
        StampAt(point);
    }
}

void CPhotoCanvas::OnMouseMove(CanvasPoint point, WPARAM keys) {
    if (!trackingMouse_) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, Handle(), 0};
        trackingMouse_ = TrackMouseEvent(&track) != FALSE;
    }
    if (!editingEnabled_ || menuOpen_) return;
    if (tool_ == kToolPen) {
        if (!(keys & MK_LBUTTON) || point == lastPoint_) return;
        currentPoint_ = point;
        if (mouseState_ == MouseState::Pressed || mouseState_ == MouseState::Drawing)
            DrawPenSegment(lastPoint_, currentPoint_);
        mouseState_ = MouseState::Drawing;
        lastPoint_ = currentPoint_;
    } else if (tool_ == kToolPictureStamp || tool_ == kToolBrushStamp) {
        PreviewStampAt(point);
    }
}

void CPhotoCanvas::OnLeftUp(CanvasPoint point) {
    if (!editingEnabled_ || tool_ != kToolPen) return;
    if (mouseState_ == MouseState::Pressed && point == lastPoint_) DrawPenSegment(point, point);
    if (edits_.Pending()) PushUndo();
    mouseState_ = MouseState::Idle;
}

void CPhotoCanvas::OnMouseLeft() {
    if (edits_.Pending()) PushUndo();
    WipeStampPreview(true);
    mouseState_ = MouseState::Left;
    SetCursor(cursors_[kCursorArrow]);
}

void CPhotoCanvas::OnTimer() {
    if (mouseState_ != MouseState::Drawing && mouseState_ != MouseState::StampPreview) return;
    if (!MouseIsOver()) OnMouseLeft();
}

// --- menu ----------------------------------------------------------------------

HMENU CPhotoCanvas::PrepareContextMenu() {
    menu_.Update(CanUndo(), CanRedo(), tool_ == kToolPictureStamp || tool_ == kToolBrushStamp, edits_.Modified());
    return menu_.Menu();
}

void CPhotoCanvas::OnRightDown(CanvasPoint point) {
    if (!editingEnabled_ || !menu_.Menu()) return;
    WipeStampPreview(true);
    HMENU menu = PrepareContextMenu();
    POINT screen{point.x, point.y};
    ClientToScreen(Handle(), &screen);
    menuOpen_ = true;
    SetCursor(cursors_[kCursorArrow]);
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, 0, Handle(), nullptr);
    menuOpen_ = false;
}

void CPhotoCanvas::OnCommand(UINT command) {
    switch (command) {
    case kCmdUndo: Undo(); break;
    case kCmdRedo: Redo(); break;
    case kCmdRotate90:
    case kCmdRotate180:
    case kCmdRotate270:
    case kCmdFlipHorizontal:
    case kCmdFlipVertical:
    case kCmdStandard: TransformStamp(command); break;
    case kCmdReloadImage: ReloadImage(); break;
    default: break;
    }
}

void CPhotoCanvas::ReloadImage() {
    const HINSTANCE module = GetModuleHandleW(nullptr);
    const wchar_t* text = nullptr;
    const int length = LoadStringW(module, kStrReloadQuestion, reinterpret_cast<LPWSTR>(&text), 0);
    const std::wstring question = (length > 0 && text) ? std::wstring(text, static_cast<size_t>(length))
                                                       : std::wstring(L"Reload Original Image?");
    if (MessageBoxW(Handle(), question.c_str(), L"Vimbrel", MB_OKCANCEL | MB_ICONQUESTION) != IDOK) return;
    // Copies: LoadPicture replaces the remembered source it is given.
    const std::wstring path = sourcePath_, name = sourceName_, type = sourceType_;
    LoadPicture(path.c_str(), sourceKind_, name.c_str(), type.c_str(), 1);
}

// --- cursor --------------------------------------------------------------------

bool CPhotoCanvas::MouseIsOver() const {
    POINT cursor;
    return Handle() && GetCursorPos(&cursor) && WindowFromPoint(cursor) == Handle();
}

HCURSOR CPhotoCanvas::ToolCursor() const {
    if (!editingEnabled_) return cursors_[kCursorEditingOff];
    if (menuOpen_) return cursors_[kCursorArrow];
    if (tool_ == kToolPen) return cursors_[kCursorPen];
    if (tool_ == kToolPictureStamp || tool_ == kToolBrushStamp) return cursors_[kCursorStamp];
    return nullptr;
}

bool CPhotoCanvas::OnSetCursor() {
    HCURSOR cursor = ToolCursor();
    if (cursor) SetCursor(cursor);
    // Tool "none" leaves the cursor as it is.
    return true;
}

void CPhotoCanvas::UpdateCursorIfOver() {
    if (!MouseIsOver()) return;
    if (HCURSOR cursor = ToolCursor()) SetCursor(cursor);
}

}  // namespace vimbrel::canvas
