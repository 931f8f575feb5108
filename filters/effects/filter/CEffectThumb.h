// The effect gallery's thumbnail grid: two sheets (filters, frames) of 4 x 4
// cells, each a 64 x 48 thumbnail with a label, drawn through a back buffer.
// Hovering frames a cell; clicking a cell selects it and posts the item to
// the window that owns the grid.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <memory>
#include <string>

#include "GalleryTables.h"
#include "GdiSurface.h"
#include "FilterGdiplusSession.h"

namespace lenstint {

// Posted to the owner: wParam is the clicked item of the filter or frame sheet.
constexpr UINT kGalleryFilterClicked = 0x4FA;
constexpr UINT kGalleryFrameClicked = 0x4FB;

class CEffectThumb {
public:
    static const wchar_t kClassName[];
    static constexpr int kSheets = 2;

    CEffectThumb() = default;
    ~CEffectThumb() { Destroy(); }
    CEffectThumb(const CEffectThumb&) = delete;
    CEffectThumb& operator=(const CEffectThumb&) = delete;

    // A visible child of parent with this control id; clicks go to parent.
    bool Create(HWND parent, int controlId, int x, int y, int width, int height);
    void Destroy();
    HWND Window() const { return window_; }

    // The 1024 x 48 strip of 16 thumbnails from an image resource of module;
    // the sheet's cells stay empty when it is missing.
    bool LoadSheet(int sheet, HMODULE module, const wchar_t* resourceName);
    void SetLabel(int sheet, int item, const std::wstring& text);
    void Select(int sheet, int item);
    void ShowSheet(int sheet);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void OnMouseMove(int x, int y);
    void OnButtonDown();
    void OnMouseLeave();

    void DrawSheet();
    void DrawCell(int item);
    void DrawHoverFrame(int item, bool hovered);
    void Present();

    CGdiplusSession gdiplus_;
    HWND window_ = nullptr;
    HWND owner_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    CDibSurface backBuffer_;
    std::unique_ptr<Gdiplus::Graphics> graphics_;
    std::unique_ptr<Gdiplus::FontFamily> fontFamily_;  // null: the generic sans-serif
    std::unique_ptr<Gdiplus::Font> font_;
    std::unique_ptr<Gdiplus::StringFormat> labelFormat_;
    std::unique_ptr<Gdiplus::Bitmap> strips_[kSheets];
    std::wstring labels_[kSheets][kGalleryItems];
    int selected_[kSheets] = {0, 0};
    int shown_ = 0;
    int hovered_ = -1;
    bool drawn_ = false;
    bool tracking_ = false;
};

}  // namespace lenstint
