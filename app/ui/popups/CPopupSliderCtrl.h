// The slider popup's trackbar: its background painted in the skin's body
// colour through the reflected custom-draw notification, and it never
// keeps the keyboard focus (arrow keys would move it unseen).
#pragma once

#include "SkinTypes.h"
#include "winowners/GdiOwners.h"
#include "CSkinControl.h"

#include <windows.h>

namespace vimbrel::ui {

constexpr int kPopupSliderControlId = 2000;

class CPopupSliderCtrl : public CSkinControl {
public:
    explicit CPopupSliderCtrl(Colour background) : background_(background) {}
    ~CPopupSliderCtrl() override { Destroy(); }

    // The trackbar child `parent` at `rect` (left, top, right, bottom).
    bool Create(HWND parent, const RECT& rect);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;
    bool OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // Made and measured at the first drawing.
    HBRUSH Brush();

    Colour background_;
    winowners::UniqueBrush brush_;
    RECT client_{};
};

}  // namespace vimbrel::ui
