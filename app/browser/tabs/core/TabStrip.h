// The rules of the media tab strip, free of any window: where the four tabs
// and the strip's end lie, which tab a point hits, which tab a program mode
// shows, which picture draws a tab, and how the tab under the mouse moves.
// The strip window only carries out what these decide.
#pragma once

#include <string>

namespace vimbrel::browser {

constexpr int kTabCount = 4;  // one per media kind: image, video, audio, monitor
constexpr int kTabWidth = 64;
constexpr int kTabHeight = 27;
// "tab5.jpg" closes the strip at x 255 in its own size.
constexpr int kStripEndX = 255;
constexpr int kStripEndWidth = 13;
constexpr int kStripEndHeight = 27;

// A rectangle with right and bottom exclusive, as the window system counts.
struct TabBox {
    int left = 0, top = 0, right = 0, bottom = 0;
};

inline bool IsTab(int tab) { return tab >= 0 && tab < kTabCount; }

// Tab k covers (64k, 0) to (64k + 63, 26) inclusive; empty for no tab.
TabBox TabBounds(int tab);

// The tab under a point of the strip window, -1 for none. A captured mouse
// reports points outside the window, negative ones included.
int TabAt(int x, int y);

// The tab a program mode shows: video and video-only the video tab, audio
// the audio tab, image the image tab, monitor the monitor tab; -1 for
// browsing (the tab stays as it is) and for any other value.
int TabOfMode(int modeId);

// The tooltip tool of tab k carries the id k + 1 (1 to 4); its text is the
// language key of the kind.
inline int TabToolId(int tab) { return tab + 1; }
const char* TabTipKey(int tab);

enum class TabLook { Selected, Normal, SelectedHover, NormalHover };

// How tab k looks: a just-clicked tab shows its selected-under-the-mouse
// look; the selected tab shows that look too while any tab is under the
// mouse, else its plain selected look; another tab under the mouse its
// hover look; any other its normal look.
TabLook ChooseTabLook(int tab, int selectedTab, int hoverTab, bool clicked);

// The picture of a tab's look, N = tab + 1: tabN.jpg, tabNb.jpg, tabNo.jpg,
// tabbNh.jpg. Empty for no tab.
std::u16string TabPictureName(int tab, TabLook look);
inline constexpr char16_t kStripEndPicture[] = u"tab5.jpg";

// What the strip does when the tab under the mouse changes: take or give
// back the mouse, and redraw up to two tabs (-1 unused).
struct HoverChange {
    bool capture = false;
    bool release = false;
    int redraw[2] = {-1, -1};
};

// The tab under the mouse and the one before it. Entering a tab captures
// the mouse (so that leaving the strip is seen) and redraws the tab left
// and the tab entered; leaving every tab gives the mouse back and redraws
// the tab left; losing the capture to another window clears the tab under
// the mouse and redraws it.
class TabHover {
public:
    HoverChange MouseAt(int tab);
    HoverChange CaptureLost();

    int Current() const { return current_; }
    int Previous() const { return previous_; }

private:
    int current_ = -1;
    int previous_ = -1;
};

}  // namespace vimbrel::browser
