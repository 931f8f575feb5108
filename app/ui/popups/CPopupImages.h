// The popup of an image item: a 4 x 4 grid of 32 x 24 thumbnails (effects,
// photo frames, faces, stamps) from one strip; the filters also name the
// effect under the mouse in the title bar.
#pragma once

#include "CMemoryPicture.h"
#include "CPopupWindow.h"

#include <memory>
#include <string>
#include <vector>

namespace vimbrel::ui {

class CPopupImages : public CPopupWindow {
public:
    explicit CPopupImages(IPopupController& controller);
    ~CPopupImages() override;

    bool Create(HWND owner, const RECT& buttonOnScreen, int settingId, RECT& placed) override;

    int SelectedCell() const { return selected_; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool Filters() const;
    void DrawAll();
    void DrawThumb(Gdiplus::Graphics& graphics, int cell);
    void DrawCell(int cell);
    void DrawName(Gdiplus::Graphics& graphics, int cell);
    void Present();
    void OnMouseMove(int x, int y);
    void OnButtonUp(int x, int y);
    void Release();

    CMemoryPicture picture_;
    std::unique_ptr<Gdiplus::Bitmap> strip_;
    std::vector<std::wstring> names_;
    int selected_ = -1;
};

}  // namespace vimbrel::ui
