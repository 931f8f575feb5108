// The tab strip's rules: geometry and hit test at the tab edges, the tab of
// each program mode, the pictures of each look, and the mouse moving over,
// between and off the tabs.
#include "TabStrip.h"

#include <gtest/gtest.h>

namespace vimbrel::browser {
namespace {

TEST(TabGeometry, TabsLieSideBySideSixtyFourWide) {
    const TabBox first = TabBounds(0);
    EXPECT_EQ(0, first.left);
    EXPECT_EQ(0, first.top);
    EXPECT_EQ(64, first.right);
    EXPECT_EQ(27, first.bottom);
    const TabBox last = TabBounds(3);
    EXPECT_EQ(192, last.left);
    EXPECT_EQ(256, last.right);
    // No tab: an empty box.
    const TabBox none = TabBounds(4);
    EXPECT_EQ(0, none.right - none.left);
    EXPECT_EQ(0, TabBounds(-1).bottom);
}

TEST(TabGeometry, HitTestAtTheEdgesOfEachTab) {
    EXPECT_EQ(0, TabAt(0, 0));
    EXPECT_EQ(0, TabAt(63, 26));
    EXPECT_EQ(1, TabAt(64, 0));
    EXPECT_EQ(1, TabAt(127, 13));
    EXPECT_EQ(2, TabAt(128, 13));
    EXPECT_EQ(3, TabAt(255, 26));
    // Below the strip (a browser), past the last tab (the strip's end),
    // and the negative points a captured mouse reports.
    EXPECT_EQ(-1, TabAt(10, 27));
    EXPECT_EQ(-1, TabAt(256, 5));
    EXPECT_EQ(-1, TabAt(260, 5));
    EXPECT_EQ(-1, TabAt(-1, 5));
    EXPECT_EQ(-1, TabAt(30, -1));
}

TEST(TabModes, EachRecordingModeShowsItsKindAndBrowsingKeepsTheTab) {
    EXPECT_EQ(1, TabOfMode(0));   // video
    EXPECT_EQ(1, TabOfMode(1));   // video only
    EXPECT_EQ(2, TabOfMode(2));   // audio
    EXPECT_EQ(0, TabOfMode(3));   // image
    EXPECT_EQ(-1, TabOfMode(4));  // browse
    EXPECT_EQ(3, TabOfMode(5));   // monitor
    EXPECT_EQ(-1, TabOfMode(6));
    EXPECT_EQ(-1, TabOfMode(-1));
}

TEST(TabTips, ToolsAreNumberedFromOneWithTheKindsKeys) {
    EXPECT_EQ(1, TabToolId(0));
    EXPECT_EQ(4, TabToolId(3));
    EXPECT_STREQ("IDS_TIP_IMAGE", TabTipKey(0));
    EXPECT_STREQ("IDS_TIP_VIDEO", TabTipKey(1));
    EXPECT_STREQ("IDS_TIP_AUDIO", TabTipKey(2));
    EXPECT_STREQ("IDS_TIP_MONITOR", TabTipKey(3));
    EXPECT_STREQ("", TabTipKey(4));
}

TEST(TabLooks, PictureNamesFollowTheFourPatterns) {
    EXPECT_EQ(u"tab1.jpg", TabPictureName(0, TabLook::Selected));
    EXPECT_EQ(u"tab1b.jpg", TabPictureName(0, TabLook::Normal));
    EXPECT_EQ(u"tab1o.jpg", TabPictureName(0, TabLook::SelectedHover));
    EXPECT_EQ(u"tabb1h.jpg", TabPictureName(0, TabLook::NormalHover));
    EXPECT_EQ(u"tab4o.jpg", TabPictureName(3, TabLook::SelectedHover));
    EXPECT_EQ(u"tabb3h.jpg", TabPictureName(2, TabLook::NormalHover));
    EXPECT_EQ(u"", TabPictureName(4, TabLook::Selected));
}

TEST(TabLooks, SelectedTabLightsUpWhileAnyTabIsUnderTheMouse) {
    // Selected tab 1, nothing under the mouse.
    EXPECT_EQ(TabLook::Selected, ChooseTabLook(1, 1, -1, false));
    EXPECT_EQ(TabLook::Normal, ChooseTabLook(0, 1, -1, false));
    // The mouse over tab 2: the selected tab 1 changes too.
    EXPECT_EQ(TabLook::SelectedHover, ChooseTabLook(1, 1, 2, false));
    EXPECT_EQ(TabLook::NormalHover, ChooseTabLook(2, 1, 2, false));
    EXPECT_EQ(TabLook::Normal, ChooseTabLook(3, 1, 2, false));
    // Just clicked: the selected-under-the-mouse look whatever the state.
    EXPECT_EQ(TabLook::SelectedHover, ChooseTabLook(3, 1, -1, true));
}

TEST(TabHoverTest, EnteringMovingAndLeavingTheTabs) {
    TabHover hover;
    // Enter tab 0: capture, redraw only tab 0.
    HoverChange c = hover.MouseAt(0);
    EXPECT_TRUE(c.capture);
    EXPECT_FALSE(c.release);
    EXPECT_EQ(-1, c.redraw[0]);
    EXPECT_EQ(0, c.redraw[1]);
    // Moving inside the same tab changes nothing.
    c = hover.MouseAt(0);
    EXPECT_FALSE(c.capture || c.release);
    EXPECT_EQ(-1, c.redraw[0]);
    EXPECT_EQ(-1, c.redraw[1]);
    // On to tab 2: the capture is already held; tabs 0 and 2 redrawn.
    c = hover.MouseAt(2);
    EXPECT_FALSE(c.capture || c.release);
    EXPECT_EQ(0, c.redraw[0]);
    EXPECT_EQ(2, c.redraw[1]);
    EXPECT_EQ(2, hover.Current());
    EXPECT_EQ(0, hover.Previous());
    // Off every tab: release and redraw tab 2.
    c = hover.MouseAt(-1);
    EXPECT_TRUE(c.release);
    EXPECT_FALSE(c.capture);
    EXPECT_EQ(2, c.redraw[0]);
    EXPECT_EQ(-1, c.redraw[1]);
    EXPECT_EQ(-1, hover.Current());
    // Still off: nothing more to release.
    c = hover.MouseAt(-1);
    EXPECT_FALSE(c.release);
    EXPECT_EQ(-1, c.redraw[0]);
}

TEST(TabHoverTest, CaptureTakenByAnotherWindowClearsTheTab) {
    TabHover hover;
    // Nothing under the mouse: losing the capture changes nothing.
    HoverChange c = hover.CaptureLost();
    EXPECT_EQ(-1, c.redraw[0]);
    hover.MouseAt(3);
    c = hover.CaptureLost();
    EXPECT_FALSE(c.release);  // it is gone already
    EXPECT_EQ(3, c.redraw[0]);
    EXPECT_EQ(-1, hover.Current());
    // Coming back takes the capture again.
    c = hover.MouseAt(3);
    EXPECT_TRUE(c.capture);
    EXPECT_EQ(3, c.redraw[1]);
    // A value that is no tab counts as leaving.
    c = hover.MouseAt(7);
    EXPECT_TRUE(c.release);
    EXPECT_EQ(3, c.redraw[0]);
}

}  // namespace
}  // namespace vimbrel::browser
