#include "ButtonKeys.h"

namespace vimbrel::controller {

const std::array<std::uint32_t, kButtonKeyCount> kButtonKeys = {
    KeyColour(0x000032), KeyColour(0x000064), KeyColour(0x000096), KeyColour(0x0000C8), KeyColour(0x0000FA),
    KeyColour(0x003200), KeyColour(0x003232), KeyColour(0x003264), KeyColour(0x003296), KeyColour(0x0032C8),
    KeyColour(0x0032FA), KeyColour(0x006400), KeyColour(0x006432), KeyColour(0x006464), KeyColour(0x006496),
    KeyColour(0x0064C8), KeyColour(0x0064FA), KeyColour(0x009600), KeyColour(0x009632), KeyColour(0x009664),
    KeyColour(0x009696), KeyColour(0x0096C8), KeyColour(0x0096FA), KeyColour(0x00C800),
};

namespace {

// Parallel to kButtonKeys; both volume sliders share one tip.
const char16_t* const kButtonTipKeys[kButtonKeyCount] = {
    u"IDS_TIP_MINIMIZE",     u"IDS_TIP_CLOSE",       u"IDS_TIP_CAPVIDEO",   u"IDS_TIP_CAPVIDEOONLY",
    u"IDS_TIP_CAPAUDIO",     u"IDS_TIP_CAPIMAGE",    u"IDS_TIP_STOP",       u"IDS_TIP_ZOOMIN",
    u"IDS_TIP_ZOOMOUT",      u"IDS_TIP_ZOOMRESTORE", u"IDS_TIP_VOLUME",     u"IDS_TIP_TOFIRSTITEM",
    u"IDS_TIP_PREVITEM",     u"IDS_TIP_NEXTITEM",    u"IDS_TIP_TOLASTITEM", u"IDS_TIP_SAVEAS",
    u"IDS_TIP_SLIDESHOW",    u"IDS_TIP_EMAIL",       u"IDS_TIP_PRINT",      u"IDS_TIP_STARTMONITOR",
    u"IDS_TIP_STARTPLAYING", u"IDS_TIP_STOPPLAYING", u"IDS_TIP_SEARCH",     u"IDS_TIP_VOLUME",
};

}  // namespace

bool ButtonOfKey(std::uint32_t keyColour, Button* button) {
    for (std::size_t i = 0; i < kButtonKeyCount; ++i) {
        if (kButtonKeys[i] == keyColour) {
            if (button != nullptr) *button = static_cast<Button>(i);
            return true;
        }
    }
    return false;
}

const char16_t* ButtonTipKey(std::uint32_t keyColour) {
    for (std::size_t i = 0; i < kButtonKeyCount; ++i) {
        if (kButtonKeys[i] == keyColour) return kButtonTipKeys[i];
    }
    return nullptr;
}

}  // namespace vimbrel::controller
