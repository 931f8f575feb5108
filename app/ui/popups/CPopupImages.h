// The popup of an image item: a 4 x 4 grid of 32 x 24 thumbnails (effects,
// photo frames, faces, stamps) from one strip; the filters also name the
// effect under the mouse in the title bar.
#pragma once

#include "CBufferedPopup.h"

#include <memory>
#include <string>
#include <vector>

namespace vimbrel::ui {

class CPopupImages : public CBufferedPopup {
public:
    explicit CPopupImages(IPopupController& controller);
    ~CPopupImages() override;

    bool Create(HWND owner, const RECT& buttonOnScreen, int settingId, RECT& placed) override;

    int SelectedCell() const { return selected_; }

private:
    bool Filters() const;
    void DrawAll();
    void DrawThumb(Gdiplus::Graphics& graphics, int cell);
    void DrawCell(int cell);
    void DrawName(Gdiplus::Graphics& graphics, int cell);
    void OnMouseMove(int x, int y) override;
    void OnButtonUp(int x, int y) override;
    void OnShowing() override;
    void Release() override;

    std::unique_ptr<Gdiplus::Bitmap> strip_;
    std::vector<std::wstring> names_;
    int selected_ = -1;
};

}  // namespace vimbrel::ui
