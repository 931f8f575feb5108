// A popup drawn into a memory picture of its own size: painting and
// printing copy the picture, and single cells redrawn into it are copied
// to the window at once.
#pragma once

#include "CMemoryPicture.h"
#include "CPopupWindow.h"

namespace vimbrel::ui {

class CBufferedPopup : public CPopupWindow {
protected:
    using CPopupWindow::CPopupWindow;

    // Makes the window's picture; false (and the window gone) when it
    // cannot be had.
    bool MakePicture();
    // Copies the whole picture to the window.
    void Present();
    void Release() override { picture_.Release(); }

    void PaintTo(HDC dc, const RECT& area) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    CMemoryPicture picture_;
};

}  // namespace vimbrel::ui
