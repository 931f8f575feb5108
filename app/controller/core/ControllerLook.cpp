#include "ControllerLook.h"

#include <algorithm>
#include <string_view>

namespace vimbrel::controller {

const std::array<std::uint32_t, kSkinColourCount> kSkinColors = {
    0xD6C7BB, 0x786658, 0x4F463D, 0x06CAF4, 0x6ED2EE, 0xFFFFFF, 0xAAA096, 0xFFFFFF, 0xDCDAD7, 0x6D6D6D, 0xFFFFFF,
};

UiFont MakeUiFont(unsigned uiLanguage) {
    UiFont font{};
    constexpr std::u16string_view kFace = u"Micorsoft Sans Serif";
    std::copy(kFace.begin(), kFace.end(), font.face);
    font.face[kFace.size()] = u'\0';
    font.size = uiLanguage == 2052 || uiLanguage == 1028 ? 11.0f : 9.0f;
    return font;
}

}  // namespace vimbrel::controller
