#include "FunctionPanelLogic.h"

#include <algorithm>

namespace vimbrel::ui {

bool ItemRuleAllows(int settingId, const PanelFileTypes& types) {
    switch (settingId) {
    case kPanelJpegQualityId: return !types.image || *types.image == 1;
    case kPanelVideoBitrateId: return !types.video || *types.video == 0 || *types.video == 1;
    case kPanelAudioBitrateId: return !types.audio || *types.audio == 0;
    default: return true;
    }
}

const char* VideoBitrateTitleKey(const PanelFileTypes& types) {
    if (!types.video) return nullptr;
    if (*types.video == 0) return "IDS_STG_ASFQUALITY";
    if (*types.video == 1) return "IDS_STG_WMVQUALITY";
    return nullptr;
}

std::vector<PlacedItemButton> LayOutItemButtons(const std::vector<PanelItem>& items, int mode,
                                                const PanelFileTypes& types, int itemWidth) {
    std::vector<PlacedItemButton> placed;
    if (mode < 0 || mode > 7) return placed;
    const int modeBit = 1 << mode;
    const std::size_t count = std::min(items.size(), static_cast<std::size_t>(kItemButtonSlots));
    int x = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const PanelItem& item = items[i];
        if (!(item.modeMask & modeBit) || !ItemRuleAllows(item.settingId, types)) continue;
        if (i != 0) x += kItemButtonGap;
        placed.push_back({item.settingId, x});
        x += itemWidth;
    }
    return placed;
}

PanelRect PopupAboveButton(const PanelRect& button, int width, int height) {
    return PanelRect{button.left, button.top - height, button.left + width, button.top};
}

PanelRect ToClient(const PanelRect& r, int originX, int originY) {
    return PanelRect{r.left - originX, r.top - originY, r.right - originX, r.bottom - originY};
}

}  // namespace vimbrel::ui
