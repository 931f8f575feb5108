// A bitmap selected into its own memory DC for as long as both live; the
// picture a window keeps and copies to the screen when it paints.
#pragma once

#include "winowners/GdiOwners.h"

#include <windows.h>

namespace vimbrel::ui {

class CMemoryPicture {
public:
    CMemoryPicture() = default;
    ~CMemoryPicture() { Release(); }
    CMemoryPicture(const CMemoryPicture&) = delete;
    CMemoryPicture& operator=(const CMemoryPicture&) = delete;

    // Takes `bitmap` into a DC compatible with `compatible` (null: the
    // screen). False, holding nothing, when either is missing.
    bool Hold(HDC compatible, winowners::UniqueBitmap bitmap);
    // A blank bitmap of w x h compatible with `compatible`.
    bool Make(HDC compatible, int width, int height);
    void Release();

    HDC Dc() const { return dc_.get(); }
    HBITMAP Bitmap() const { return bitmap_.get(); }
    explicit operator bool() const { return old_ != nullptr; }
    // Copies `area` to the same place of `target`.
    void CopyTo(HDC target, const RECT& area) const;
    // Answers WM_PAINT for `window`: the part being painted comes from here.
    void Paint(HWND window) const;

private:
    winowners::UniqueMemoryDC dc_;
    winowners::UniqueBitmap bitmap_;
    HGDIOBJ old_ = nullptr;
};

}  // namespace vimbrel::ui
