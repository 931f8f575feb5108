#pragma once
// The colours and the font every skinned window of the program draws with.

#include <array>
#include <cstdint>

#include "SettingsBlock.h"

namespace vimbrel::controller {

constexpr std::size_t kSkinColourCount = 11;

// Windows colour values 0x00BBGGRR: panel and item-button background,
// popup body, popup title bar, popup title text, current value, text under
// the mouse, normal popup text, white, status strip background, status
// strip text, white.
extern const std::array<std::uint32_t, kSkinColourCount> kSkinColors;

struct UiFont {
    char16_t face[kDeviceNameCapacity];
    float size;
    int style;      // as the drawing library's font style
    int unit;       // as its unit
    int alignment;  // as its string alignment
};

// The face keeps the spelling the program has always asked for; where no
// such face is installed the windows fall back to the generic sans-serif.
// Chinese user interfaces (2052, 1028) get a larger size.
UiFont MakeUiFont(unsigned uiLanguage);

}  // namespace vimbrel::controller
