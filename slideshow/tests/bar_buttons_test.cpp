// The control bar's table: key colours written RRGGBB in the skin are held
// as 0xBBGGRR values, each with its command and its tooltip string.
#include "BarButtons.h"

#include <gtest/gtest.h>

using namespace slideshow;

TEST(BarButtons, KeyColoursAreHeldBlueGreenRed) {
    EXPECT_EQ(0x320000u, kBarFirstKey);         // "000032"
    EXPECT_EQ(0xFA0000u, kBarPlayPauseKey);     // "0000FA"
    EXPECT_EQ(0x003200u, kBarSwitchEffectKey);  // "003200"
    EXPECT_EQ(0x323200u, kBarExitKey);          // "003232"
}

TEST(BarButtons, CommandsAndTipsFollowTheTable) {
    const std::uint32_t keys[] = {0x320000, 0x640000, 0x960000, 0xC80000, 0xFA0000, 0x003200, 0x323200};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(i, BarCommandFor(keys[i])) << i;
        EXPECT_EQ(102u + static_cast<unsigned>(i), BarTipStringId(keys[i], 1)) << i;
    }
    // Only the play/pause toggle changes its tip with its state.
    EXPECT_EQ(110u, BarTipStringId(0xFA0000, 2));
    EXPECT_EQ(104u, BarTipStringId(0x960000, 2));
    // Keys of other panels post nothing and have no tip here; "000032"
    // read the wrong way round (0x000032) is not the first button.
    EXPECT_EQ(-1, BarCommandFor(0x000032));
    EXPECT_EQ(-1, BarCommandFor(0x643200));  // the main program's zoom-in key
    EXPECT_EQ(0u, BarTipStringId(0x000032, 1));
}
