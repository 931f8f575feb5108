// Feeds arbitrary bytes to both configuration parsers and checks that what
// they accept keeps to the format's limits.
#include "SkinConfig.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace vimbrel::ui;

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

// The input once as it is, and once with the first byte of every line
// turned into one of the keys, so that the stsbtn and slider rules are
// reached without first guessing their names.
std::string WithKeys(std::string_view raw) {
    static const char* const keys[] = {
        "back=", "over=", "down=", "disable=", "mask=", "map=", "stsbtn=", "slider=", "Back=", "SLIDER="};
    constexpr size_t count = sizeof(keys) / sizeof(keys[0]);
    std::string text;
    bool lineStart = true;
    for (char c : raw) {
        if (lineStart) {
            lineStart = false;
            auto pick = static_cast<unsigned char>(c);
            if (pick < count) {
                text += keys[pick];
                continue;
            }
        }
        text += c;
        if (c == '\n') lineStart = true;
    }
    return text;
}

void ParseBoth(std::string_view text) {
    PanelSkinConfig panel;
    if (ParsePanelSkinConfig(text, panel) == SkinConfigStatus::Ok) {
        Check(!panel.back.empty() && panel.back.size() <= kMaxFaceImageName);
        for (const std::string* s : {&panel.over, &panel.down, &panel.disable, &panel.mask})
            Check(s->size() <= kMaxFaceImageName);
        for (const ToggleSkin& t : panel.toggles) {
            Check(!t.normal.empty() && !t.over.empty() && !t.down.empty() && !t.disabled.empty());
            Check(t.normal.size() <= kMaxToggleImageName && t.disabled.size() <= kMaxToggleImageName);
            Check(t.key <= 0xFFFFFF);
        }
        for (const SliderSkin& s : panel.sliders) {
            Check(!s.mask.empty() && !s.back.empty() && !s.strip.empty() && !s.overStrip.empty());
            Check(s.mask.size() <= kMaxSliderImageName && s.disabled.size() <= kMaxSliderImageName);
            Check(s.key <= 0xFFFFFF && s.transparent <= 0xFFFFFF);
        }
    }

    DialogSkinConfig dialog;
    if (ParseDialogSkinConfig(text, dialog) == SkinConfigStatus::Ok) {
        Check(dialog.back.size() <= kMaxFaceImageName && dialog.map.size() <= kMaxFaceImageName);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view raw(reinterpret_cast<const char*>(data), size);
    ParseBoth(raw);
    ParseBoth(WithKeys(raw));
    return 0;
}
