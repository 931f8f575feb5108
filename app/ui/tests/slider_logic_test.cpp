// The stepped slider: steps for values and positions, reports, and how the
// mouse moves it.
#include "SliderLogic.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

using namespace vimbrel::ui;

namespace {

struct CRecorder : ISliderEffects {
    CSliderLogic* slider = nullptr;
    std::vector<std::string> draws;
    std::vector<double> reports;
    bool reportingDuringReport = false;
    bool captured = false;

    void DrawStep(int step, SliderStrip strip) override {
        draws.push_back(std::to_string(step) + (strip == SliderStrip::Hover ? " hover" : " normal"));
    }
    void Report(double value) override {
        reports.push_back(value);
        if (slider) {
            reportingDuringReport = slider->Reporting();
            slider->DrawCurrent(SliderStrip::Normal);  // the controller's echo
        }
    }
    void CaptureMouse() override { captured = true; }
    void ReleaseMouse() override { captured = false; }
};

TEST(SliderSteps, ValuesAndPercentsMapToSteps) {
    // 21 steps: 50 % is step 10, 100 % step 20; positions round up.
    EXPECT_EQ(SliderStepForPercent(50, 21), 10);
    EXPECT_EQ(SliderStepForPercent(100, 21), 20);
    EXPECT_EQ(SliderStepForPercent(0, 21), 0);
    EXPECT_EQ(SliderStepForPercent(1, 21), 1);   // 0.2 rounds up
    EXPECT_EQ(SliderStepForPercent(30, 11), 3);  // exactly 3, not 3.0000001 up to 4
    EXPECT_EQ(SliderStepForPercent(70, 11), 7);
    EXPECT_EQ(SliderStepForPercent(250, 21), 20);
    EXPECT_EQ(SliderStepForPercent(-5, 21), 0);
    // Start values are cut and clamped.
    EXPECT_EQ(SliderStepForValue(0.5, 21), 10);
    EXPECT_EQ(SliderStepForValue(0.99, 21), 19);
    EXPECT_EQ(SliderStepForValue(1.7, 21), 20);
    EXPECT_EQ(SliderStepForValue(-0.3, 21), 0);
    EXPECT_EQ(SliderStepForValue(std::numeric_limits<double>::quiet_NaN(), 21), 0);
    EXPECT_DOUBLE_EQ(SliderValueOfStep(20, 21), 1.0);
    EXPECT_DOUBLE_EQ(SliderValueOfStep(5, 21), 0.25);
    EXPECT_LT(SliderValueOfStep(-1, 21), 0.0);
}

TEST(SliderMouse, DraggingReportsEachNewStepOnce) {
    CRecorder fx;
    CSliderLogic slider(21, 0.5, fx);
    fx.slider = &slider;
    EXPECT_EQ(slider.CurrentStep(), 10);
    slider.ButtonDown(12);
    EXPECT_TRUE(fx.captured);
    slider.MouseMove(12);  // same step: nothing
    slider.MouseMove(20);
    slider.ButtonUp();
    EXPECT_FALSE(fx.captured);
    EXPECT_EQ(fx.reports, (std::vector<double>{0.6, 1.0}));
    // The controller's echo during the report is not drawn.
    EXPECT_TRUE(fx.reportingDuringReport);
    EXPECT_EQ(fx.draws, (std::vector<std::string>{"12 hover", "20 hover"}));
    EXPECT_FALSE(slider.Reporting());
}

TEST(SliderMouse, PressOnNoStepReportsNoneThenTheNextStep) {
    CRecorder fx;
    CSliderLogic slider(21, 0.0, fx);
    slider.ButtonDown(CSliderLogic::kNoStep);
    EXPECT_EQ(slider.CurrentStep(), CSliderLogic::kNoStep);
    ASSERT_EQ(fx.reports.size(), 1u);
    EXPECT_LT(fx.reports[0], 0.0);
    EXPECT_TRUE(fx.draws.empty());  // there is no step to draw
    slider.ButtonUp();
    slider.ButtonDown(4);
    EXPECT_DOUBLE_EQ(fx.reports.back(), 0.2);
}

TEST(SliderMouse, LeavingTheStepsSwitchesToTheNormalStripOnce) {
    CRecorder fx;
    CSliderLogic slider(5, 0.5, fx);  // step 2
    slider.MouseMove(CSliderLogic::kNoStep);
    slider.MouseMove(CSliderLogic::kNoStep);
    slider.MouseMove(3);  // hovering shows the current step, it does not move it
    slider.MouseMove(1);
    EXPECT_EQ(fx.draws, (std::vector<std::string>{"2 normal", "2 hover"}));
    EXPECT_EQ(slider.CurrentStep(), 2);
    EXPECT_TRUE(fx.reports.empty());
    // While dragging, off the steps the current step goes back to normal.
    slider.ButtonDown(2);
    slider.MouseMove(CSliderLogic::kNoStep);
    EXPECT_EQ(fx.draws.back(), "2 normal");
    EXPECT_TRUE(fx.reports.empty());
}

TEST(SliderBroadcasts, PositionAndEnableRedrawTheNormalStrip) {
    CRecorder fx;
    CSliderLogic slider(21, 0.0, fx);
    slider.ShowPosition(50);
    slider.SetEnabled(false);
    EXPECT_FALSE(slider.Enabled());
    EXPECT_EQ(fx.draws, (std::vector<std::string>{"10 normal", "10 normal"}));
    // A disabled slider still follows the mouse and reports.
    slider.ButtonDown(15);
    EXPECT_DOUBLE_EQ(fx.reports.back(), 0.75);
}

}  // namespace
