// The panel's mouse, repeat and message behaviour, through a recording of
// what it asks the window and the controller to do.
#include "PanelLogic.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace vimbrel::ui;

namespace {

constexpr Colour kRecord = MakeColour(0x00, 0x00, 0x96);  // a toggle whose tip follows it
constexpr Colour kPlain = MakeColour(0x00, 0x64, 0x00);
constexpr Colour kVolume = MakeColour(0x00, 0x32, 0xFA);  // a slider's area
constexpr Colour kOtherToggle = MakeColour(0x12, 0x34, 0x56);

struct CRecorder : IPanelEffects {
    std::vector<std::string> calls;
    std::vector<Colour> pressed, released;
    int repeatStops = 0;
    bool repeating = false;

    static const char* Name(ButtonFace f) {
        switch (f) {
        case ButtonFace::Resting: return "resting";
        case ButtonFace::Pressed: return "pressed";
        case ButtonFace::Hover: return "hover";
        case ButtonFace::Disabled: return "disabled";
        case ButtonFace::AlternateNormal: return "alt-normal";
        case ButtonFace::AlternateHover: return "alt-hover";
        case ButtonFace::AlternatePressed: return "alt-pressed";
        case ButtonFace::AlternateDisabled: return "alt-disabled";
        }
        return "?";
    }
    void DrawFace(size_t b, ButtonFace f, bool lasting) override {
        calls.push_back("draw " + std::to_string(b) + " " + Name(f) + (lasting ? " lasting" : ""));
    }
    void CaptureMouse() override { calls.push_back("capture"); }
    void ReleaseMouse() override { calls.push_back("release"); }
    void StartRepeat() override { repeating = true; }
    void StopRepeat() override {
        repeating = false;
        ++repeatStops;
    }
    void ButtonPressed(Colour key) override { pressed.push_back(key); }
    void ButtonReleased(Colour key) override { released.push_back(key); }
    void SetTip(size_t b, bool pause) override {
        calls.push_back("tip " + std::to_string(b) + (pause ? " pause" : " controller"));
    }
    std::vector<std::string> Take() {
        std::vector<std::string> out;
        out.swap(calls);
        return out;
    }
};

using Calls = std::vector<std::string>;

class PanelLogicTest : public ::testing::Test {
protected:
    CRecorder fx;
    CPanelLogic panel{{{kZoomInKey, false, false},
                       {kRecord, true, false},
                       {kPlain, false, false},
                       {kVolume, false, true},
                       {kOtherToggle, true, false}},
                      fx};
};

TEST_F(PanelLogicTest, HoldingZoomRepeatsOnTheFourthAndEighthTickThenEveryTick) {
    panel.ButtonDown(0);
    EXPECT_TRUE(fx.repeating);
    ASSERT_EQ(fx.pressed.size(), 1u);
    std::vector<int> repeatTicks;
    for (int tick = 1; tick <= 20; ++tick) {
        size_t before = fx.pressed.size();
        panel.RepeatTick();
        if (fx.pressed.size() > before) repeatTicks.push_back(tick);
    }
    EXPECT_EQ(fx.pressed.size(), 15u);  // the press and 14 repeats
    EXPECT_EQ(repeatTicks, (std::vector<int>{4, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20}));
    for (Colour key : fx.pressed) EXPECT_EQ(key, kZoomInKey);

    // Released over the panel: the count starts again for the next press.
    panel.ButtonUp(0);
    EXPECT_FALSE(fx.repeating);
    panel.ButtonDown(0);
    fx.pressed.clear();
    for (int tick = 1; tick <= 4; ++tick) panel.RepeatTick();
    EXPECT_EQ(fx.pressed.size(), 1u);
}

TEST_F(PanelLogicTest, OnlyTheZoomKeysRepeat) {
    panel.ButtonDown(2);
    EXPECT_FALSE(fx.repeating);
    EXPECT_EQ(fx.Take(), (Calls{"draw 2 pressed"}));
    EXPECT_EQ(fx.pressed, (std::vector<Colour>{kPlain}));
}

TEST_F(PanelLogicTest, DisabledButtonsCallNothingAndReleaseGoesToTheButtonUnderThePointer) {
    panel.EnableButton(kPlain, false);
    EXPECT_EQ(fx.Take(), (Calls{"draw 2 disabled lasting"}));
    panel.ButtonDown(2);
    panel.ButtonUp(2);
    EXPECT_TRUE(fx.pressed.empty());
    EXPECT_TRUE(fx.released.empty());
    EXPECT_TRUE(fx.Take().empty());

    // Pressed on one button, released over another enabled one.
    panel.ButtonDown(1);
    panel.ButtonUp(0);
    EXPECT_EQ(fx.pressed, (std::vector<Colour>{kRecord}));
    EXPECT_EQ(fx.released, (std::vector<Colour>{kZoomInKey}));
    // Pressed elsewhere, released over the disabled one: nothing.
    fx.released.clear();
    panel.ButtonDown(0);
    panel.ButtonUp(2);
    EXPECT_TRUE(fx.released.empty());
}

TEST_F(PanelLogicTest, AllDisabledCannotBeUndone) {
    panel.DisableAll();
    EXPECT_EQ(fx.Take(), (Calls{"draw 0 disabled lasting", "draw 1 disabled lasting", "draw 2 disabled lasting",
                                "draw 3 disabled lasting", "draw 4 disabled lasting"}));
    panel.EnableButton(kPlain, true);
    EXPECT_FALSE(panel.Enabled(2));
    EXPECT_EQ(fx.Take(), (Calls{"draw 2 disabled lasting"}));
    panel.EnableButton(MakeColour(1, 2, 3), true);  // unknown key
    EXPECT_TRUE(fx.Take().empty());
}

TEST_F(PanelLogicTest, TogglesSwitchFacesAndOnlyTheRecordKeysSwitchTheirTips) {
    panel.SetToggle(kRecord, true);
    EXPECT_EQ(fx.Take(), (Calls{"draw 1 alt-normal lasting", "tip 1 pause"}));
    panel.SetToggle(kOtherToggle, true);
    EXPECT_EQ(fx.Take(), (Calls{"draw 4 alt-normal lasting"}));
    panel.SetToggle(kPlain, true);  // not a toggle
    EXPECT_TRUE(fx.Take().empty());

    // Alternate faces follow the pointer and the press.
    panel.MouseMove(1);
    panel.ButtonDown(1);
    panel.ButtonUp(1);
    EXPECT_EQ(fx.Take(), (Calls{"capture", "draw 1 alt-hover", "draw 1 alt-pressed", "draw 1 alt-hover"}));
    // A disabled toggle in its alternate state.
    panel.EnableButton(kRecord, false);
    EXPECT_EQ(fx.Take(), (Calls{"draw 1 alt-disabled lasting"}));
    panel.EnableButton(kRecord, true);
    fx.Take();

    panel.ResetToggles();
    EXPECT_EQ(fx.Take(), (Calls{"draw 1 resting lasting", "tip 1 controller", "draw 4 resting lasting"}));
    EXPECT_EQ(panel.ToggleState(1), 1);
    panel.ResetToggles();  // nothing left in state 2
    EXPECT_TRUE(fx.Take().empty());
}

TEST_F(PanelLogicTest, HoverFollowsThePointerAndLeavingThePanelRestoresTheButton) {
    panel.MouseMove(2);
    panel.MouseMove(2);  // same button: no redraw
    panel.MouseMove(0);
    panel.MouseMove(CPanelLogic::kNoButton);
    EXPECT_EQ(fx.Take(), (Calls{"capture", "draw 2 hover", "capture", "capture", "draw 2 resting", "draw 0 hover",
                                "release", "draw 0 resting"}));
    // A slider's area shows no face and gives the mouse to the slider.
    panel.MouseMove(3);
    EXPECT_EQ(fx.Take(), (Calls{"capture", "release"}));
    panel.ButtonDown(3);
    EXPECT_TRUE(fx.Take().empty());
    EXPECT_EQ(fx.pressed, (std::vector<Colour>{kVolume}));
}

TEST_F(PanelLogicTest, LosingTheCaptureEndsHoverAndRepeat) {
    panel.MouseMove(0);
    panel.ButtonDown(0);
    fx.Take();
    panel.CaptureLost();
    EXPECT_EQ(fx.Take(), (Calls{"draw 0 resting"}));
    EXPECT_FALSE(fx.repeating);
    // The next tick finds nothing held; the pointer coming back hovers again.
    size_t presses = fx.pressed.size();
    panel.RepeatTick();
    panel.MouseMove(0);
    EXPECT_EQ(fx.Take(), (Calls{"capture", "draw 0 hover"}));
    EXPECT_EQ(fx.pressed.size(), presses);

    // Held into the every-tick stretch, then the capture goes: the next
    // press repeats only from its own 4th tick.
    panel.ButtonDown(0);
    for (int tick = 1; tick <= 10; ++tick) panel.RepeatTick();
    panel.CaptureLost();
    panel.ButtonDown(0);
    presses = fx.pressed.size();
    for (int tick = 1; tick <= 3; ++tick) panel.RepeatTick();
    EXPECT_EQ(fx.pressed.size(), presses);
    panel.RepeatTick();
    EXPECT_EQ(fx.pressed.size(), presses + 1);
}

}  // namespace
