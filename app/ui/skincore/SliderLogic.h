// A stepped slider's behaviour apart from its drawing: which step shows,
// what value a step reports, and how the mouse moves it.
#pragma once

#include "SkinTypes.h"

namespace vimbrel::ui {

enum class SliderStrip { Normal, Hover };

// A value needs at least two steps: one step could only report 0/0.
constexpr int kMinSliderSteps = 2;

// The step a start value 0..1 (clamped) shows: (steps - 1) x value, cut.
int SliderStepForValue(double value, int steps);
// The step a position in percent (clamped to 0..100) shows:
// (steps - 1) x percent / 100, rounded up.
int SliderStepForPercent(int percent, int steps);
// The value a step reports: step / (steps - 1); negative for no step.
double SliderValueOfStep(int step, int steps);

class ISliderEffects {
public:
    virtual ~ISliderEffects() = default;
    virtual void DrawStep(int step, SliderStrip strip) = 0;
    virtual void Report(double value) = 0;
    virtual void CaptureMouse() = 0;
    virtual void ReleaseMouse() = 0;
};

class CSliderLogic {
public:
    static constexpr int kNoStep = -1;

    // `steps` of at least kMinSliderSteps; `startValue` 0..1.
    CSliderLogic(int steps, double startValue, ISliderEffects& effects);

    int Steps() const { return steps_; }
    int CurrentStep() const { return current_; }
    bool Enabled() const { return enabled_; }
    bool Reporting() const { return reporting_; }

    // Draws the current step (after creation, or when the window repaints).
    void DrawCurrent(SliderStrip strip);
    // The controller's position broadcasts.
    void ShowPosition(int percent);
    void SetEnabled(bool enabled);

    // `hit`: the first step whose region holds the pointer, or kNoStep.
    void ButtonDown(int hit);
    void MouseMove(int hit);
    void ButtonUp();
    // The mouse was taken from the slider (another window's capture, a
    // menu, a task switch): the drag is over, with no release to come.
    void CaptureLost();

private:
    void MoveTo(int hit);
    bool Drawable(int step) const { return !reporting_ && step >= 0 && step < steps_; }

    int steps_;
    int current_ = kNoStep;
    bool enabled_ = true;
    bool dragging_ = false;
    bool normalStrip_ = false;
    bool reporting_ = false;
    ISliderEffects& effects_;
};

}  // namespace vimbrel::ui
