// A stepped slider on a skinned panel, drawn from strips of step pictures.
#pragma once

#include "CMemoryPicture.h"
#include "CSkinSource.h"
#include "IPanelController.h"
#include "SkinConfig.h"
#include "SliderLogic.h"
#include "winowners/GdiOwners.h"
#include "CSkinControl.h"

#include <windows.h>
#include <gdiplus.h>

#include <memory>
#include <optional>
#include <vector>

namespace vimbrel::ui {

class CSkinSlider : public CSkinControl, private ISliderEffects {
public:
    explicit CSkinSlider(IPanelController& controller);
    ~CSkinSlider() override;

    // Loads the pictures, makes the window at (x, y) on `panel` with the
    // background's size and registers with the controller. False, with no
    // window, when a picture is missing or the mask has fewer than two steps.
    bool Create(HWND panel, int x, int y, const SliderSkin& skin, const CSkinSource& source, double startValue);

    Colour Key() const { return key_; }
    int Steps() const { return logic_ ? logic_->Steps() : 0; }
    int CurrentStep() const { return logic_ ? logic_->CurrentStep() : CSliderLogic::kNoStep; }
    bool Enabled() const { return logic_ && logic_->Enabled(); }
    HWND Tooltip() const { return tooltip_; }
    // The region of a step, in window coordinates (for hit tests).
    HRGN StepRegion(int step) const;

    bool PreTranslateMessage(MSG& msg) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;

private:
    void DrawStep(int step, SliderStrip strip) override;
    void Report(double value) override;
    void CaptureMouse() override;
    void ReleaseMouse() override;

    int HitTest(LPARAM point) const;
    void OnShowMessage(UINT message, WPARAM percent, LPARAM show);
    void Release();

    IPanelController& controller_;
    Colour key_ = 0;
    int width_ = 0, height_ = 0;
    std::unique_ptr<Gdiplus::Bitmap> back_, strip_, hoverStrip_, disabled_;
    std::vector<winowners::UniqueRegion> steps_;
    std::optional<CSliderLogic> logic_;
    CMemoryPicture memory_;
    HWND tooltip_ = nullptr;
};

}  // namespace vimbrel::ui
