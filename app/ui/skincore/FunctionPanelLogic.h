// The function panel's rules, free of any window: which item buttons a
// mode shows and where, the title the bitrate item takes, and where an
// item's popup goes above its button.
#pragma once

#include <optional>
#include <vector>

namespace vimbrel::ui {

// Setting ids with a rule of their own.
constexpr int kPanelJpegQualityId = 0x106;
constexpr int kPanelVideoBitrateId = 0x107;
constexpr int kPanelAudioBitrateId = 0x108;
constexpr int kPanelVideoFileTypeId = 0x109;
constexpr int kPanelAudioFileTypeId = 0x10A;
constexpr int kPanelImageFileTypeId = 0x10B;
constexpr int kPanelDateId = 0x105;
constexpr int kPanelAdvancedSettingsId = 0x1400;

// The panel keeps buttons for this many catalogue items; items beyond get
// none.
constexpr int kItemButtonSlots = 30;
constexpr int kItemButtonGap = 2;

// One catalogue item as the panel sees it.
struct PanelItem {
    int settingId = 0;
    int modeMask = 0;  // bit m: shown in ModeId m
};

// The file types the rules read; empty when the controller could not
// tell, and then the item is shown.
struct PanelFileTypes {
    std::optional<int> image, video, audio;
};

// Whether the item's own rule lets it show (the mode aside).
bool ItemRuleAllows(int settingId, const PanelFileTypes& types);

// The language key of the video bitrate item's title for this video file
// type; null when the title stays as it is.
const char* VideoBitrateTitleKey(const PanelFileTypes& types);

struct PlacedItemButton {
    int settingId = 0;
    int x = 0;
};

// The shown buttons, left to right, for `items` in catalogue order. Each
// shown button after the catalogue's first item is 2 pixels past the end
// of the one before (the first shown is at x 0 only when it is the
// catalogue's first item). Only the first kItemButtonSlots items count.
std::vector<PlacedItemButton> LayOutItemButtons(const std::vector<PanelItem>& items, int mode,
                                                const PanelFileTypes& types, int itemWidth);

struct PanelRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

// The popup of `width` x `height` put right above the button (screen
// coordinates): its left on the button's left, its bottom on the button's
// top.
PanelRect PopupAboveButton(const PanelRect& buttonOnScreen, int width, int height);

// A screen rectangle in the client coordinates of a window whose client
// origin is at `originX`, `originY` on the screen.
PanelRect ToClient(const PanelRect& onScreen, int originX, int originY);

}  // namespace vimbrel::ui
