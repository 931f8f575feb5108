#include "SliderLogic.h"

#include <cmath>

namespace vimbrel::ui {

int SliderStepForValue(double value, int steps) {
    if (steps < 1) return CSliderLogic::kNoStep;
    if (!(value > 0.0)) value = 0.0;  // NaN too
    if (value > 1.0) value = 1.0;
    return static_cast<int>((steps - 1) * value);
}

int SliderStepForPercent(int percent, int steps) {
    if (steps < 1) return CSliderLogic::kNoStep;
    if (percent < 0) percent = 0;
    if (percent > 100) percent = 100;
    // Whole numbers: rounding up cannot be thrown off by 0.01 having no
    // exact binary value.
    const int scaled = percent * (steps - 1);
    return (scaled + 99) / 100;
}

double SliderValueOfStep(int step, int steps) { return steps > 1 ? static_cast<double>(step) / (steps - 1) : -1.0; }

CSliderLogic::CSliderLogic(int steps, double startValue, ISliderEffects& effects) : steps_(steps), effects_(effects) {
    current_ = SliderStepForValue(startValue, steps_);
}

void CSliderLogic::DrawCurrent(SliderStrip strip) {
    if (Drawable(current_)) effects_.DrawStep(current_, strip);
}

void CSliderLogic::ShowPosition(int percent) {
    current_ = SliderStepForPercent(percent, steps_);
    DrawCurrent(SliderStrip::Normal);
}

void CSliderLogic::SetEnabled(bool enabled) {
    enabled_ = enabled;
    DrawCurrent(SliderStrip::Normal);
}

// A new step: shown in its hover picture and reported. While the report is
// out, the controller's broadcast of the same value must not redraw it.
void CSliderLogic::MoveTo(int hit) {
    if (Drawable(hit)) effects_.DrawStep(hit, SliderStrip::Hover);
    current_ = hit;
    reporting_ = true;
    effects_.Report(SliderValueOfStep(hit, steps_));
    reporting_ = false;
}

void CSliderLogic::ButtonDown(int hit) {
    if (hit != current_) MoveTo(hit);
    effects_.CaptureMouse();
    dragging_ = true;
}

void CSliderLogic::MouseMove(int hit) {
    if (dragging_) {
        if (hit != kNoStep && hit != current_) {
            MoveTo(hit);
        } else if (hit == kNoStep && !normalStrip_) {
            DrawCurrent(SliderStrip::Normal);
            normalStrip_ = true;
        }
        return;
    }
    if (hit != kNoStep && normalStrip_) {
        DrawCurrent(SliderStrip::Hover);
        normalStrip_ = false;
    } else if (hit == kNoStep && !normalStrip_) {
        DrawCurrent(SliderStrip::Normal);
        normalStrip_ = true;
    }
}

void CSliderLogic::ButtonUp() {
    effects_.ReleaseMouse();
    dragging_ = false;
}

void CSliderLogic::CaptureLost() { dragging_ = false; }

}  // namespace vimbrel::ui
