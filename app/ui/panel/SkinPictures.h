// GDI forms of skin images for the panels: bitmaps, pattern brushes that
// fill a button's region with the matching part of a whole-panel picture,
// and the tooltip control every skinned window carries.
#pragma once

#include "CSkinSource.h"
#include "winowners/GdiOwners.h"

#include <windows.h>
#include <gdiplus.h>

#include <string>

namespace vimbrel::ui {

winowners::UniqueBitmap HBitmapOf(Gdiplus::Bitmap& image);

// A brush and the bitmap it was made from; both go together.
struct CPatternBrush {
    winowners::UniqueBitmap bitmap;
    winowners::UniqueBrush brush;
    HBRUSH get() const { return brush.get(); }
    explicit operator bool() const { return static_cast<bool>(brush); }
};
// Empty when the image cannot become a bitmap or a brush.
CPatternBrush PatternBrushOf(Gdiplus::Bitmap& image);
// Empty when the name is empty or the image does not load.
CPatternBrush LoadPatternBrush(const CSkinSource& source, const std::string& name);

// A tooltip control owned by `owner`, activated; null on failure.
HWND CreateSkinTooltip(HWND owner);
void AddSkinTool(HWND tooltip, HWND owner, UINT_PTR id, const RECT& rect, const std::wstring& text);
void SetSkinToolText(HWND tooltip, HWND owner, UINT_PTR id, const std::wstring& text);
std::wstring SkinToolText(HWND tooltip, HWND owner, UINT_PTR id);
// Lets the tooltip see a message on its way to its window (mouse moves
// show and hide the tips).
void RelayToTooltip(HWND tooltip, MSG& msg);

// Fills a region with a brush whose pattern starts at `origin`.
void FillWithPattern(HDC dc, HRGN region, HBRUSH brush, POINT origin);

}  // namespace vimbrel::ui
