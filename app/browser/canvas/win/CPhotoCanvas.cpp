// The canvas's pictures: setting and loading them, the full-size copy, the
// undo ring, frames, effects and saving. Mouse, menu and cursor handling
// live in CPhotoCanvasInput.cpp.
#include "CPhotoCanvas.h"

#include "BrushStamp.h"
#include "CanvasPictures.h"
#include "effects/PixelEffects.h"

#include <algorithm>

namespace vimbrel::canvas {

namespace {

Gdiplus::Rect ToGdiplus(const CanvasRect& r) { return Gdiplus::Rect(r.x, r.y, r.width, r.height); }

}  // namespace

CPhotoCanvas::~CPhotoCanvas() {
    // The window goes first: its last messages still use the surfaces.
    Destroy();
}

int CPhotoCanvas::Create(HWND parent, int width, int height, int x, int y) {
    if (Handle() || width <= 0 || height <= 0) return 0;
    menu_.Build(GetModuleHandleW(nullptr));
    HCURSOR cross = LoadCursorW(nullptr, IDC_CROSS);
    cursors_ = {cross,
                cross,
                cross,
                LoadCursorW(nullptr, IDC_WAIT),
                LoadCursorW(nullptr, IDC_NO),
                LoadCursorW(nullptr, IDC_ARROW)};
    const wchar_t* className = framework::RegisterAnonymousClass(CS_OWNDC, cross,
                                                                 static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    if (!className) return 0;

    width_ = width;
    height_ = height;
    stampScale_ = CanvasStampScale(width, height);
    view_.SetHighQualityPixelOffset(true);
    if (!view_.Create(width, height)) return 0;

    const RECT rect{x, y, x + width, y + height};
    if (!framework::CWindow::Create(0, className, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, rect, parent, 0))
        return 0;
    windowDc_ = winowners::UniqueWindowDC(Handle());
    owner_ = parent;

    penColour_ = 0xFF000000;
    penWidth_ = fullPenWidth_ = 21.0f;
    tool_ = kToolPen;
    editingEnabled_ = editable_ = false;
    mouseState_ = MouseState::Idle;
    menuOpen_ = previewShown_ = trackingMouse_ = false;

    auto white = MakeWhitePicture(width, height);
    SetPicture(white.get(), 0);
    SetTimer(Handle(), kCanvasTimerId, kCanvasTimerMs, nullptr);
    return 1;
}

int CPhotoCanvas::LoadPicture(const wchar_t* path, int kind, const wchar_t* resourceName, const wchar_t* resourceType,
                              int editable) {
    if (!Handle()) return 0;
    // Copies first: the caller may pass the remembered source itself.
    std::wstring newPath = path ? path : L"";
    std::wstring newName = resourceName ? resourceName : L"";
    std::wstring newType = resourceType ? resourceType : L"";
    sourcePath_ = std::move(newPath);
    sourceName_ = std::move(newName);
    sourceType_ = std::move(newType);
    sourceKind_ = kind;

    std::unique_ptr<Gdiplus::Bitmap> picture = LoadCanvasPicture(sourcePath_.c_str(), kind, sourceName_.c_str(),
                                                                 sourceType_.c_str());
    if (!picture) picture = MakeWhitePicture(width_, height_);
    if (!picture) return 0;
    SetPicture(picture.get(), editable);
    return 1;
}

int CPhotoCanvas::SetPicture(Gdiplus::Bitmap* picture, int editable) {
    if (!Handle() || !picture) return 0;
    WipeStampPreview(false);
    // A reload keeps editing on; a picture that cannot be edited ends it.
    const bool wasEditing = editingEnabled_;
    DropEditableCopies();

    const int w = static_cast<int>(picture->GetWidth());
    const int h = static_cast<int>(picture->GetHeight());
    layout_ = ComputeViewLayout(width_, height_, w, h);

    const RECT all{0, 0, width_, height_};
    view_.Fill(all, RGB(0, 0, 0));
    if (Gdiplus::Graphics* g = view_.Graphics()) {
        // Edits never spill onto the borders: undo restores only the view
        // rectangle, so a mark there could never be taken back.
        g->SetClip(ToGdiplus(layout_.view));
        g->SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
        g->DrawImage(picture, ToGdiplus(layout_.view));
    }
    view_.Flush();

    if (editable == 1) {
        // Without memory for the full-size copy or the first ring slot the
        // picture is only shown.
        editable_ = fullSize_.Create(w, h) && CopyPictureToSurface(*picture, fullSize_) && FillSlot(0);
        if (!editable_) DropEditableCopies();
    }
    editingEnabled_ = wasEditing && editable_;
    fullPenWidth_ = penWidth_ * layout_.scale;
    edits_.PictureSet();
    mouseState_ = MouseState::Idle;
    PresentWhole();
    return 1;
}

void CPhotoCanvas::EnableEditing(int flag) {
    editingEnabled_ = flag == 1 && editable_;
    if (flag != 1) {
        WipeStampPreview(true);
        DropEditableCopies();
    }
    UpdateCursorIfOver();
}

void CPhotoCanvas::DropEditableCopies() {
    fullSize_.Reset();
    for (RingSlot& slot : ring_) {
        slot.view.Reset();
        slot.fullSize.Reset();
    }
    editable_ = false;
    editingEnabled_ = false;
}

void CPhotoCanvas::SetTool(int tool) {
    if (tool < kToolPen || tool > kToolNone) return;
    // A preview of the old tool's stamp must not stay in the view, where
    // the next recorded edit would keep it.
    if (tool != tool_) WipeStampPreview(true);
    tool_ = tool;
}

void CPhotoCanvas::SetPenWidth(float width) {
    if (!(width >= 1.0f)) return;
    penWidth_ = width;
    fullPenWidth_ = width * layout_.scale;
}

void CPhotoCanvas::SetPenColor(COLORREF colour) {
    penColour_ = OpaqueArgbOf(colour);
    if (tool_ == kToolBrushStamp) brushStamp_.SetColour(penColour_);
}

int CPhotoCanvas::SetImageStamp(const wchar_t* path, int kind, const wchar_t* resourceName,
                                const wchar_t* resourceType) {
    auto image = LoadCanvasPicture(path, kind, resourceName, resourceType);
    if (!image || !pictureStamp_.LoadPicture(*image)) return 0;
    stampTransform_.Reset();
    return 1;
}

int CPhotoCanvas::SetBrushStamp(const wchar_t* path, int invert, int kind, const wchar_t* resourceName,
                                const wchar_t* resourceType) {
    auto image = LoadCanvasPicture(path, kind, resourceName, resourceType);
    if (!image || !brushStamp_.LoadBrush(*image, invert != 0, penColour_)) return 0;
    stampTransform_.Reset();
    return 1;
}

void CPhotoCanvas::SetCursorImage(HICON cursor, int slot) {
    if (slot < kCursorPen || slot > kCursorEditingOff) return;
    cursors_[static_cast<size_t>(slot)] = cursor;
    UpdateCursorIfOver();
}

// --- the undo ring -------------------------------------------------------------

bool CPhotoCanvas::FillSlot(int slot) {
    RingSlot& target = ring_[static_cast<size_t>(slot)];
    const bool ok = ((target.view.Width() == width_ && target.view.Height() == height_) ||
                     target.view.Create(width_, height_)) &&
                    target.view.CopyFrom(view_) &&
                    ((target.fullSize.Width() == fullSize_.Width() && target.fullSize.Height() == fullSize_.Height() &&
                      target.fullSize.Ok()) ||
                     target.fullSize.Create(fullSize_.Width(), fullSize_.Height())) &&
                    target.fullSize.CopyFrom(fullSize_);
    if (!ok) {
        // Out of memory: the state cannot be returned to, but editing goes on.
        target.view.Reset();
        target.fullSize.Reset();
        edits_.Ring().Invalidate(slot);
    }
    return ok;
}

void CPhotoCanvas::RestoreSlot(int slot) {
    RingSlot& source = ring_[static_cast<size_t>(slot)];
    if (!source.view.Ok() || !source.fullSize.Ok()) return;
    source.view.Flush();
    view_.Flush();
    const CanvasRect& v = layout_.view;
    BitBlt(view_.Dc(), v.x, v.y, v.width, v.height, source.view.Dc(), v.x, v.y, SRCCOPY);
    fullSize_.CopyFrom(source.fullSize);
    previewShown_ = false;
}

void CPhotoCanvas::PushUndo() {
    if (!editable_) return;
    const RecordedEdit edit = edits_.Record();
    FillSlot(edit.slot);
    if (edit.notifyOwner && owner_) PostMessageW(owner_, WM_PHOTO_MODIFIED, 0, 0);
}

void CPhotoCanvas::RecordLayer(CanvasLayer layer) {
    const RecordedEdit edit = edits_.CommitLayer(layer);
    FillSlot(edit.slot);
    if (edit.notifyOwner && owner_) PostMessageW(owner_, WM_PHOTO_MODIFIED, 0, 0);
}

bool CPhotoCanvas::CanUndo() const { return editingEnabled_ && edits_.CanUndo(); }
bool CPhotoCanvas::CanRedo() const { return editingEnabled_ && edits_.CanRedo(); }

void CPhotoCanvas::Undo() {
    if (!editingEnabled_) return;
    if (const auto slot = edits_.Undo()) {
        RestoreSlot(*slot);
        PresentPicture();
    }
}

void CPhotoCanvas::Redo() {
    if (!editingEnabled_) return;
    if (const auto slot = edits_.Redo()) {
        RestoreSlot(*slot);
        PresentPicture();
    }
}

// --- effects and frames --------------------------------------------------------

// Shows the busy cursor for as long as it lives, then the tool's cursor
// when the mouse is over the canvas, else the one before.
class CPhotoCanvas::CBusyCursor {
public:
    explicit CBusyCursor(CPhotoCanvas& canvas) : canvas_(canvas), previous_(SetCursor(canvas.cursors_[kCursorBusy])) {}
    ~CBusyCursor() {
        HCURSOR tool = canvas_.MouseIsOver() ? canvas_.ToolCursor() : nullptr;
        SetCursor(tool ? tool : previous_);
    }
    CBusyCursor(const CBusyCursor&) = delete;
    CBusyCursor& operator=(const CBusyCursor&) = delete;

private:
    CPhotoCanvas& canvas_;
    HCURSOR previous_;
};

bool CPhotoCanvas::RunEffectOnFullSize(int effectId) {
    if (!fullSize_.Ok()) return false;
    fullSize_.Flush();
    // The effect leaves the pixels untouched when it cannot run.
    return vimbrel::browser::RunPixelEffect(effectId, fullSize_.Bits(), fullSize_.ByteSize(), fullSize_.Width(),
                                            fullSize_.Height(), random_);
}

void CPhotoCanvas::DrawFullSizeOnView() {
    fullSize_.Flush();
    view_.Flush();
    const CanvasRect& v = layout_.view;
    SetStretchBltMode(view_.Dc(), HALFTONE);
    SetBrushOrgEx(view_.Dc(), 0, 0, nullptr);
    StretchBlt(view_.Dc(), v.x, v.y, v.width, v.height, fullSize_.Dc(), 0, 0, fullSize_.Width(), fullSize_.Height(),
               SRCCOPY);
}

void CPhotoCanvas::ApplyEffect(int effectId) {
    if (!editingEnabled_) return;
    CBusyCursor busy(*this);
    WipeStampPreview(false);
    if (effectId == 0) {
        if (const auto slot = edits_.RemoveLayer(CanvasLayer::Effect)) RestoreSlot(*slot);
        PresentPicture();
        return;
    }
    // A new effect replaces the last one instead of adding to it.
    if (const auto slot = edits_.BeginLayer(CanvasLayer::Effect)) RestoreSlot(*slot);
    if (!RunEffectOnFullSize(effectId)) {
        if (const auto slot = edits_.AbandonLayer()) RestoreSlot(*slot);
        return;
    }
    DrawFullSizeOnView();
    PresentPicture();
    RecordLayer(CanvasLayer::Effect);
}

void CPhotoCanvas::SetFrame(const wchar_t* path) {
    if (!editingEnabled_) return;
    CBusyCursor busy(*this);
    WipeStampPreview(false);
    if (!path || !*path) {
        if (const auto slot = edits_.RemoveLayer(CanvasLayer::Frame)) RestoreSlot(*slot);
        PresentPicture();
        return;
    }
    const auto frame = LoadCanvasPicture(path, 0, nullptr, nullptr);
    if (!frame) return;
    // A new frame replaces the last one.
    if (const auto slot = edits_.BeginLayer(CanvasLayer::Frame)) RestoreSlot(*slot);
    if (Gdiplus::Graphics* g = fullSize_.Graphics())
        g->DrawImage(frame.get(), Gdiplus::Rect(0, 0, fullSize_.Width(), fullSize_.Height()));
    if (Gdiplus::Graphics* g = view_.Graphics()) g->DrawImage(frame.get(), ToGdiplus(layout_.view));
    fullSize_.Flush();
    view_.Flush();
    PresentPicture();
    RecordLayer(CanvasLayer::Frame);
}

int CPhotoCanvas::SaveImage(const wchar_t* path) {
    if (!editable_ || !fullSize_.Ok()) return 0;
    if (!SaveSurfaceAs(fullSize_, path)) return 0;
    edits_.Saved();
    return 1;
}

// --- presenting ----------------------------------------------------------------

void CPhotoCanvas::Present(const CanvasRect& rect) {
    const CanvasRect r = IntersectionOf(rect, {0, 0, width_, height_});
    if (r.Empty() || !windowDc_) return;
    view_.Flush();
    BitBlt(windowDc_.get(), r.x, r.y, r.width, r.height, view_.Dc(), r.x, r.y, SRCCOPY);
}

void CPhotoCanvas::PresentWhole() {
    for (const CanvasRect& border : BorderRects(layout_, width_, height_)) {
        const RECT r{border.x, border.y, border.Right(), border.Bottom()};
        view_.Fill(r, RGB(0, 0, 0));
    }
    Present({0, 0, width_, height_});
}

void CPhotoCanvas::OnPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Handle(), &ps);
    if (dc) {
        const CanvasRect dirty{ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
                               ps.rcPaint.bottom - ps.rcPaint.top};
        const CanvasRect r = IntersectionOf(dirty, layout_.view);
        if (!r.Empty()) {
            view_.Flush();
            BitBlt(dc, r.x, r.y, r.width, r.height, view_.Dc(), r.x, r.y, SRCCOPY);
        }
    }
    EndPaint(Handle(), &ps);
}

}  // namespace vimbrel::canvas
