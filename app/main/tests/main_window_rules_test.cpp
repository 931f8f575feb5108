// The main window's decisions: who runs when a second copy starts, when the
// window may show and the prompt timer starts, what is forwarded, what is
// swallowed, and where the window is centred.
#include "MainWindowRules.h"

#include <gtest/gtest.h>

using namespace vimbrel::mainwindow;

TEST(MainWindowStart, SecondCopyRestoresAFinishedFirstAndOtherwiseLeavesIt) {
    // No instance mutex yet: whatever else exists, this process is the program.
    EXPECT_EQ(DecideStart(false, false, false), StartAction::kRunAsFirst);
    EXPECT_EQ(DecideStart(false, true, true), StartAction::kRunAsFirst);
    // A first copy that finished starting and has its window: raise it.
    EXPECT_EQ(DecideStart(true, false, true), StartAction::kRestoreFirstAndExit);
    // Still in its start-up: the new copy leaves without touching it.
    EXPECT_EQ(DecideStart(true, true, true), StartAction::kExitQuietly);
    // No window by the caption: nothing to raise.
    EXPECT_EQ(DecideStart(true, false, false), StartAction::kExitQuietly);
}

TEST(MainWindowShowGate, HideNoticeStripsEveryShowUntilAShowNotice) {
    constexpr unsigned kShow = 0x0040, kNoMove = 0x0002, kNoSize = 0x0001;
    CShowGate gate;
    EXPECT_TRUE(gate.MayShow());
    EXPECT_EQ(gate.FilterPositionFlags(kShow | kNoMove), kShow | kNoMove);
    EXPECT_TRUE(gate.StartsPromptTimer(true));
    EXPECT_FALSE(gate.StartsPromptTimer(false));

    gate.OnShowNotice(0);
    EXPECT_FALSE(gate.MayShow());
    EXPECT_EQ(gate.FilterPositionFlags(kShow | kNoMove | kNoSize), kNoMove | kNoSize);
    EXPECT_EQ(gate.FilterPositionFlags(kNoSize), kNoSize);
    // A stripped show does not start the prompt over a hidden window.
    EXPECT_FALSE(gate.StartsPromptTimer(true));

    gate.OnShowNotice(1);
    EXPECT_TRUE(gate.MayShow());
    EXPECT_EQ(gate.FilterPositionFlags(kShow), kShow);
    EXPECT_TRUE(gate.StartsPromptTimer(true));
    gate.OnShowNotice(0);
    gate.OnShowNotice(2);  // any non-zero value shows
    EXPECT_TRUE(gate.MayShow());
}

TEST(MainWindowInput, ForwardsOnlyTheNamedNoticesAndSwallowsEscAndEnter) {
    EXPECT_EQ(HardwareButtonOf(71), HardwareButton::kCapture);
    EXPECT_EQ(HardwareButtonOf(72), HardwareButton::kZoom);
    EXPECT_EQ(HardwareButtonOf(70), HardwareButton::kNone);
    EXPECT_EQ(HardwareButtonOf(73), HardwareButton::kNone);
    EXPECT_EQ(HardwareButtonOf(0), HardwareButton::kNone);

    EXPECT_TRUE(IsForwardedPowerNotice(4));
    EXPECT_TRUE(IsForwardedPowerNotice(7));
    EXPECT_FALSE(IsForwardedPowerNotice(0));   // query suspend
    EXPECT_FALSE(IsForwardedPowerNotice(18));  // automatic resume
    EXPECT_FALSE(IsForwardedPowerNotice(10));  // power status change

    EXPECT_TRUE(IsIgnoredSystemCommand(0x10));
    EXPECT_TRUE(IsIgnoredSystemCommand(0x1F));
    EXPECT_FALSE(IsIgnoredSystemCommand(0x20));
    EXPECT_FALSE(IsIgnoredSystemCommand(0xF060));  // close
    EXPECT_FALSE(IsIgnoredSystemCommand(0xF020));  // minimize

    EXPECT_TRUE(IsSwallowedKey(0x0100, 0x1B));
    EXPECT_TRUE(IsSwallowedKey(0x0100, 0x0D));
    EXPECT_FALSE(IsSwallowedKey(0x0101, 0x1B));  // key up goes on
    EXPECT_FALSE(IsSwallowedKey(0x0104, 0x0D));  // system key down goes on
    EXPECT_FALSE(IsSwallowedKey(0x0100, 0x20));
}

TEST(MainWindowPlace, AboutRectangleAndCentring) {
    EXPECT_TRUE(InAboutRect(680, 30));
    EXPECT_TRUE(InAboutRect(759, 84));
    EXPECT_FALSE(InAboutRect(760, 50));
    EXPECT_FALSE(InAboutRect(700, 85));
    EXPECT_FALSE(InAboutRect(679, 50));
    EXPECT_FALSE(InAboutRect(700, 29));

    // 1024 x 768 screen, 768 x 511 skin: (256 / 2, 257 / 2) = (128, 128).
    Point p = CentredOrigin(1024, 768, 768, 511);
    EXPECT_EQ(p.x, 128);
    EXPECT_EQ(p.y, 128);
    // A window larger than the screen goes to negative coordinates: -16 / 2.
    p = CentredOrigin(800, 600, 816, 600);
    EXPECT_EQ(p.x, -8);
    EXPECT_EQ(p.y, 0);
}
