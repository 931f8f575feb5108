#include "BarButtons.h"

namespace slideshow {

namespace {

struct BarButton {
    std::uint32_t key;
    int command;
    unsigned tip;
};

constexpr BarButton kButtons[] = {
    {kBarFirstKey, 0, 102},     {kBarPreviousKey, 1, 103},     {kBarNextKey, 2, 104}, {kBarLastKey, 3, 105},
    {kBarPlayPauseKey, 4, 106}, {kBarSwitchEffectKey, 5, 107}, {kBarExitKey, 6, 108},
};

const BarButton* Find(std::uint32_t key) {
    for (const BarButton& button : kButtons)
        if (button.key == key) return &button;
    return nullptr;
}

}  // namespace

int BarCommandFor(std::uint32_t key) {
    const BarButton* button = Find(key);
    return button ? button->command : -1;
}

unsigned BarTipStringId(std::uint32_t key, int toggleState) {
    const BarButton* button = Find(key);
    if (!button) return 0;
    if (key == kBarPlayPauseKey && toggleState == 2) return 110;
    return button->tip;
}

}  // namespace slideshow
