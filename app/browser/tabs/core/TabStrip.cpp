#include "TabStrip.h"

namespace vimbrel::browser {
namespace {

// The program's modes as the controller numbers them.
constexpr int kModeVideo = 0;
constexpr int kModeVideoOnly = 1;
constexpr int kModeAudio = 2;
constexpr int kModeImage = 3;
constexpr int kModeMonitor = 5;

constexpr const char* kTipKeys[kTabCount] = {"IDS_TIP_IMAGE", "IDS_TIP_VIDEO", "IDS_TIP_AUDIO", "IDS_TIP_MONITOR"};

}  // namespace

TabBox TabBounds(int tab) {
    if (!IsTab(tab)) return {};
    return {tab * kTabWidth, 0, (tab + 1) * kTabWidth, kTabHeight};
}

int TabAt(int x, int y) {
    if (x < 0 || y < 0 || y >= kTabHeight || x >= kTabCount * kTabWidth) return -1;
    return x / kTabWidth;
}

int TabOfMode(int modeId) {
    switch (modeId) {
    case kModeVideo:
    case kModeVideoOnly: return 1;
    case kModeAudio: return 2;
    case kModeImage: return 0;
    case kModeMonitor: return 3;
    default: return -1;
    }
}

const char* TabTipKey(int tab) { return IsTab(tab) ? kTipKeys[tab] : ""; }

TabLook ChooseTabLook(int tab, int selectedTab, int hoverTab, bool clicked) {
    if (clicked) return TabLook::SelectedHover;
    if (tab == selectedTab) return hoverTab >= 0 ? TabLook::SelectedHover : TabLook::Selected;
    if (tab == hoverTab) return TabLook::NormalHover;
    return TabLook::Normal;
}

std::u16string TabPictureName(int tab, TabLook look) {
    if (!IsTab(tab)) return {};
    const char16_t n = static_cast<char16_t>(u'1' + tab);
    switch (look) {
    case TabLook::Selected: return std::u16string(u"tab") + n + u".jpg";
    case TabLook::Normal: return std::u16string(u"tab") + n + u"b.jpg";
    case TabLook::SelectedHover: return std::u16string(u"tab") + n + u"o.jpg";
    case TabLook::NormalHover: return std::u16string(u"tabb") + n + u"h.jpg";
    }
    return {};
}

HoverChange TabHover::MouseAt(int tab) {
    HoverChange change;
    if (!IsTab(tab)) tab = -1;
    if (tab == current_) return change;
    previous_ = current_;
    current_ = tab;
    if (tab >= 0) {
        // Moving between tabs keeps the capture taken on entering the first.
        change.capture = previous_ < 0;
        change.redraw[0] = previous_;
        change.redraw[1] = tab;
    } else {
        change.release = true;
        change.redraw[0] = previous_;
    }
    return change;
}

HoverChange TabHover::CaptureLost() {
    HoverChange change;
    if (current_ < 0) return change;
    previous_ = current_;
    current_ = -1;
    change.redraw[0] = previous_;
    return change;
}

}  // namespace vimbrel::browser
