// The popup of a slider item: a vertical trackbar with "High" at the top,
// "Low" at the bottom and the number the position stands for. Every move
// of the trackbar applies its value at once.
#pragma once

#include "CPopupSliderCtrl.h"
#include "CPopupWindow.h"
#include "PopupLogic.h"

#include <memory>

namespace vimbrel::ui {

class CPopupSlider : public CPopupWindow {
public:
    explicit CPopupSlider(IPopupController& controller);
    ~CPopupSlider() override;

    bool Create(HWND owner, const RECT& buttonOnScreen, int settingId, RECT& placed) override;

    HWND Trackbar() const { return trackbar_ ? trackbar_->Handle() : nullptr; }
    const SliderMapping& Mapping() const { return mapping_; }
    int Position() const { return position_; }
    // The number the popup shows for its position.
    int ShownNumber() const { return mapping_.NumberForPosition(position_); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void ReadVideoQuality();
    void SetUpTrackbar();
    void PaintTo(HDC dc, const RECT& area) override;
    // WM_PRINT is answered without drawing: the trackbar would be missing.
    bool PrintsItself() const override { return false; }
    void DrawNumber(Gdiplus::Graphics& graphics);
    void RedrawNumber();
    void OnScroll();
    void OnMouseMove(int x, int y) override;

    std::unique_ptr<CPopupSliderCtrl> trackbar_;
    SliderMapping mapping_;
    int position_ = 0;
};

}  // namespace vimbrel::ui
