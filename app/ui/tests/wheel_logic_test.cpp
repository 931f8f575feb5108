// The mode wheel's rules: sectors to modes, the frame walk, picture names,
// tooltips, hovering and the state both threads share.
#include "WheelLogic.h"

#include <gtest/gtest.h>

using namespace vimbrel::ui;

namespace {
// The mode a click on the sector of this map colour selects.
int ModeForKey(Colour key, int shown) {
    for (const WheelSector& sector : kWheelSectors)
        if (sector.key == key) return ModeAfter(shown, sector.offset);
    return -1;
}
}  // namespace

TEST(WheelSectorsTest, MapColoursLeadToTheModesAfterTheShownOne) {
    // Windows colour values 0x00BBGGRR of FFFF00, FF0000, FF00FF, 0000FF, 00FFFF.
    EXPECT_EQ(kWheelSectors[0].key, 0x0000FFFFu);
    EXPECT_EQ(kWheelSectors[1].key, 0x000000FFu);
    EXPECT_EQ(kWheelSectors[2].key, 0x00FF00FFu);
    EXPECT_EQ(kWheelSectors[3].key, 0x00FF0000u);
    EXPECT_EQ(kWheelSectors[4].key, 0x00FFFF00u);
    // Yellow in the monitor mode wraps to video; cyan in video is monitor.
    EXPECT_EQ(ModeForKey(0x0000FFFF, 5), 0);
    EXPECT_EQ(ModeForKey(0x00FFFF00, 0), 5);
    EXPECT_EQ(ModeForKey(0x00FF0000, 3), 1);  // blue: +4
    EXPECT_EQ(ModeForKey(0x000000FF, 4), 0);  // red: +2 from browsing
    EXPECT_EQ(ModeForKey(0x00FF00FF, 2), 5);  // magenta: +3
}

TEST(WheelFramesTest, ModesSitSixFramesApartAndTheWalkWrapsForward) {
    EXPECT_EQ(FrameOfMode(0), 0);
    EXPECT_EQ(FrameOfMode(3), 18);
    EXPECT_EQ(FrameOfMode(5), 30);
    EXPECT_EQ(NextWheelFrame(0), 1);
    EXPECT_EQ(NextWheelFrame(34), 35);
    EXPECT_EQ(NextWheelFrame(35), 0);
    // Next mode six steps, previous mode thirty: the wheel never turns back.
    EXPECT_EQ(WheelStepsBetween(FrameOfMode(0), FrameOfMode(1)), 6);
    EXPECT_EQ(WheelStepsBetween(FrameOfMode(1), FrameOfMode(0)), 30);
    EXPECT_EQ(WheelStepsBetween(FrameOfMode(5), FrameOfMode(0)), 6);
    EXPECT_EQ(WheelStepsBetween(12, 12), 0);
    EXPECT_TRUE(IsWheelMode(0));
    EXPECT_TRUE(IsWheelMode(5));
    EXPECT_FALSE(IsWheelMode(6));
    EXPECT_FALSE(IsWheelMode(-1));
}

TEST(WheelNamesTest, PictureNamesPadFramesBelowTen) {
    EXPECT_EQ(RotationFrameName(0), "cycle00.png");
    EXPECT_EQ(RotationFrameName(9), "cycle09.png");
    EXPECT_EQ(RotationFrameName(10), "cycle10.png");
    EXPECT_EQ(RotationFrameName(35), "cycle35.png");
    EXPECT_EQ(HoverPictureName(3), "hover3.png");
    EXPECT_EQ(LabelFrameName(2, 0), "mode2_00.png");
    EXPECT_EQ(LabelFrameName(5, 4), "mode5_04.png");
    EXPECT_EQ(SelectedLabelFrameName(0, 0), "mode0s_00.png");
    EXPECT_EQ(SelectedLabelFrameName(4, 9), "mode4s_09.png");
    EXPECT_EQ(SelectedLabelFrameName(4, 10), "mode4s_10.png");
}

TEST(WheelTipsTest, ToolsNameTheModesTheyLeadTo) {
    EXPECT_STREQ(ModeTipKey(0), "IDS_TIP_VIDEOMODE");
    EXPECT_STREQ(ModeTipKey(1), "IDS_TIP_VIDEOONLYMODE");
    EXPECT_STREQ(ModeTipKey(2), "IDS_TIP_AUDIOMODE");
    EXPECT_STREQ(ModeTipKey(3), "IDS_TIP_IMAGEMODE");
    EXPECT_STREQ(ModeTipKey(4), "IDS_TIP_BROWSEMODE");
    EXPECT_STREQ(ModeTipKey(5), "IDS_TIP_MONITORMODE");
    EXPECT_EQ(ModeTipKey(6), nullptr);
    EXPECT_EQ(ModeTipKey(-1), nullptr);
    // In the image mode, tool 1 names browsing and tool 5 audio.
    EXPECT_EQ(TipModeOfTool(3, 1), 4);
    EXPECT_EQ(TipModeOfTool(3, 5), 2);
}

TEST(WheelHoverTest, EnteringMovingAndLeavingSectors) {
    HoverStep enter = StepHover(kNoSector, 2);
    EXPECT_TRUE(enter.capture);
    EXPECT_TRUE(enter.redraw);
    EXPECT_TRUE(enter.handCursor);
    EXPECT_EQ(enter.hovered, 2);

    // Moving inside the same sector keeps the capture and draws nothing.
    HoverStep stay = StepHover(2, 2);
    EXPECT_TRUE(stay.capture);
    EXPECT_FALSE(stay.redraw);
    EXPECT_EQ(stay.hovered, 2);

    HoverStep across = StepHover(2, 3);
    EXPECT_TRUE(across.redraw);
    EXPECT_EQ(across.hovered, 3);

    HoverStep leave = StepHover(3, kNoSector);
    EXPECT_FALSE(leave.capture);
    EXPECT_TRUE(leave.redraw);
    EXPECT_FALSE(leave.handCursor);
    EXPECT_EQ(leave.hovered, kNoSector);

    // Outside with nothing hovered: only the capture is let go.
    HoverStep outside = StepHover(kNoSector, kNoSector);
    EXPECT_FALSE(outside.capture);
    EXPECT_FALSE(outside.redraw);
}

TEST(WheelStateTest, SetModeRefusesUnknownModesAndIgnoresTheTarget) {
    CWheelState state;
    EXPECT_EQ(state.SetMode(6, true), CWheelState::Change::Refused);
    EXPECT_EQ(state.SetMode(-1, false), CWheelState::Change::Refused);
    EXPECT_EQ(state.SetMode(0, true), CWheelState::Change::None);  // starts on 0
    EXPECT_EQ(state.TargetMode(), 0);

    // Animated: only the target moves; the thread turns the wheel.
    EXPECT_EQ(state.SetMode(2, true), CWheelState::Change::Turn);
    EXPECT_EQ(state.TargetMode(), 2);
    EXPECT_EQ(state.TargetFrame(), 12);
    EXPECT_EQ(state.CurrentFrame(), 0);
    EXPECT_EQ(state.ShownMode(), 0);
    EXPECT_EQ(state.SetMode(2, false), CWheelState::Change::None);

    // A jump puts the wheel and its target on the mode's frame at once.
    EXPECT_EQ(state.SetMode(4, false), CWheelState::Change::Jump);
    EXPECT_EQ(state.CurrentFrame(), 24);
    EXPECT_EQ(state.TargetFrame(), 24);
    state.FinishJump(4);
    EXPECT_EQ(state.ShownMode(), 4);
}

TEST(WheelStateTest, AdvanceStepsForwardUntilTheTargetFrame) {
    CWheelState state;
    state.BeginTurn(5);
    EXPECT_EQ(state.TargetFrame(), 30);
    int frame = -1, steps = 0;
    while (state.Advance(frame)) ++steps;
    EXPECT_EQ(steps, 30);
    EXPECT_EQ(frame, 30);
    EXPECT_FALSE(state.Advance(frame));
    // The shown mode changes only when a turn ends on its target.
    EXPECT_EQ(state.ShownMode(), 0);
    EXPECT_FALSE(state.FinishTurn(4));
    EXPECT_TRUE(state.FinishTurn(5));
    EXPECT_EQ(state.ShownMode(), 5);

    state.BeginTurn(0);  // 30 -> 0 across the wrap
    steps = 0;
    while (state.Advance(frame)) ++steps;
    EXPECT_EQ(steps, 6);
    EXPECT_EQ(frame, 0);
}
