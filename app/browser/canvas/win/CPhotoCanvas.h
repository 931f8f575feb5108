// The window over the preview area that shows a picture instead of the
// live camera, and on an editable picture lets the user draw with a pen,
// put stamps, lay a photo frame over it and apply pixel effects, with five
// states of undo. Every edit is made twice: on the view (the picture scaled
// to the window) and on the full-size copy, which is what is saved.
//
// The owner window hears of the first edit after a picture was set or
// saved through WM_PHOTO_MODIFIED; everything else is asked of the canvas
// by its owner's controller.
#pragma once

#include "CanvasEditState.h"
#include "CanvasMenu.h"
#include "CanvasStamp.h"
#include "CanvasSurface.h"
#include "PhotoCanvasIds.h"
#include "StampTransform.h"
#include "ViewLayout.h"
#include "effects/PictureRandomSource.h"

#include <framework/CWindow.h>

#include <windows.h>
#include <gdiplus.h>

#include <array>
#include <memory>
#include <string>

namespace vimbrel::canvas {

class CPhotoCanvas : public framework::CWindow {
public:
    CPhotoCanvas() = default;
    ~CPhotoCanvas() override;

    // A visible child of `parent` at (x, y), showing a white picture with
    // editing off; 0 when the window cannot be made. GDI+ must be running
    // for as long as the canvas lives.
    int Create(HWND parent, int width, int height, int x, int y);

    // Loads and shows a picture (kind 0 file `path`, 1 resource of module
    // `path`, 2 the program's own resource). A picture that cannot be
    // loaded shows as a white canvas-size one. Always 1 once created.
    int LoadPicture(const wchar_t* path, int kind, const wchar_t* resourceName, const wchar_t* resourceType,
                    int editable);
    // Shows `picture` (not kept); editable makes the full-size copy and
    // starts the undo ring with it. 0 for no picture.
    int SetPicture(Gdiplus::Bitmap* picture, int editable);
    // On only with 1 and an editable picture; off drops the full-size copy.
    void EnableEditing(int flag);

    void SetTool(int tool);
    void SetPenWidth(float width);
    void SetPenColor(COLORREF colour);
    int SetImageStamp(const wchar_t* path, int kind, const wchar_t* resourceName, const wchar_t* resourceType);
    int SetBrushStamp(const wchar_t* path, int invert, int kind, const wchar_t* resourceName,
                      const wchar_t* resourceType);
    // 0 takes the last effect off again.
    void ApplyEffect(int effectId);
    // Null or empty takes the last frame off again.
    void SetFrame(const wchar_t* path);
    int SaveImage(const wchar_t* path);
    int IsModified() const { return edits_.Modified() ? 1 : 0; }
    void SetCursorImage(HICON cursor, int slot);

    bool CanUndo() const;
    bool CanRedo() const;
    void Undo();
    void Redo();
    // Records the state after an edit in the undo ring.
    void PushUndo();

    // What the canvas shows and holds, for the owner and for tests.
    CCanvasSurface& ViewBuffer() { return view_; }
    CCanvasSurface& FullSizePicture() { return fullSize_; }
    const ViewLayout& Layout() const { return layout_; }
    bool EditingEnabled() const { return editingEnabled_; }
    bool Editable() const { return editable_; }
    float PenWidth() const { return penWidth_; }
    float FullSizePenWidth() const { return fullPenWidth_; }
    const StampTransformState& StampTransform() const { return stampTransform_; }
    // The context menu as the right button would show it now.
    HMENU PrepareContextMenu();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    struct RingSlot {
        CCanvasSurface view;
        CCanvasSurface fullSize;
    };
    enum class MouseState { Idle = 0, Pressed = 1, Drawing = 2, Left = 3, StampPreview = 4 };
    class CBusyCursor;

    void OnLeftDown(CanvasPoint point);
    void OnMouseMove(CanvasPoint point, WPARAM keys);
    void OnLeftUp(CanvasPoint point);
    void OnRightDown(CanvasPoint point);
    void OnCommand(UINT command);
    void OnTimer();
    void OnMouseLeft();
    void OnPaint();
    bool OnSetCursor();

    void DrawPenSegment(CanvasPoint from, CanvasPoint to);
    void DrawTips(CCanvasSurface& surface, CanvasPoint from, CanvasPoint to, float width);
    void StampAt(CanvasPoint point);
    void PreviewStampAt(CanvasPoint point);
    void WipeStampPreview(bool present);
    CCanvasStamp* ActiveStamp();
    void TransformStamp(UINT command);
    void ReloadImage();

    bool RunEffectOnFullSize(int effectId);
    void DrawFullSizeOnView();
    bool FillSlot(int slot);
    void RestoreSlot(int slot);
    void DropEditableCopies();
    void RecordLayer(CanvasLayer layer);

    void Present(const CanvasRect& rect);
    void PresentWhole();
    void PresentPicture() { Present(layout_.view); }
    bool MouseIsOver() const;
    HCURSOR ToolCursor() const;  // null: leave the cursor as it is
    void UpdateCursorIfOver();

    CCanvasMenu menu_;
    int width_ = 0;
    int height_ = 0;
    bool trackingMouse_ = false;
    HWND owner_ = nullptr;
    winowners::UniqueWindowDC windowDc_;

    CCanvasSurface view_;
    CCanvasSurface fullSize_;
    std::array<RingSlot, UndoRing::kSlots> ring_;
    CanvasEditState edits_;

    std::wstring sourcePath_;
    int sourceKind_ = 0;
    std::wstring sourceName_;
    std::wstring sourceType_;

    bool editingEnabled_ = false;
    bool editable_ = false;

    uint32_t penColour_ = 0xFF000000;
    float penWidth_ = 21.0f;
    float fullPenWidth_ = 21.0f;
    int tool_ = kToolPen;
    float stampScale_ = 1.0f;

    CanvasPoint lastPoint_;
    CanvasPoint currentPoint_;
    MouseState mouseState_ = MouseState::Idle;
    bool menuOpen_ = false;
    bool previewShown_ = false;
    CanvasRect previewRect_;

    std::array<HCURSOR, 6> cursors_{};

    StampTransformState stampTransform_;
    ViewLayout layout_;
    CCanvasStamp pictureStamp_;
    CCanvasStamp brushStamp_;

    vimbrel::browser::CRuntimeRandom random_;
};

}  // namespace vimbrel::canvas
