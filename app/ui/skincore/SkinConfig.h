// The skin configuration text: one "key=value" entry per line naming the
// images of a skinned panel or of the main dialog.
//
// Line rules: lines end with CR LF (a bare LF is taken as well); a line is
// split at its first "="; the key before it is compared without regard to
// case; the value runs from after "=" up to the first blank. Lines without
// "=" and lines with other keys are ignored.
#pragma once

#include "SkinTypes.h"

#include <string>
#include <string_view>
#include <vector>

namespace vimbrel::ui {

// Limits of the format. Anything longer is refused rather than cut, so a
// damaged file can never make us load a different image than it names.
constexpr size_t kMaxSkinConfigLine = 127;
constexpr size_t kMaxFaceImageName = 63;  // back, over, down, disable, mask, map
constexpr size_t kMaxToggleImageName = 127;
constexpr size_t kMaxSliderImageName = 63;

// "stsbtn=RRGGBB,normal,over,down,disabled": a button with an alternate face.
struct ToggleSkin {
    Colour key = 0;
    std::string normal, over, down, disabled;
};

// "slider=RRGGBB,mask,back,strip,overstrip,RRGGBB[,disabled]".
struct SliderSkin {
    Colour key = 0;
    std::string mask, back, strip, overStrip;
    Colour transparent = 0;
    std::string disabled;  // empty when the line has no seventh field
};

struct PanelSkinConfig {
    std::string back, over, down, disable, mask;
    std::vector<ToggleSkin> toggles;  // in file order
    std::vector<SliderSkin> sliders;  // in file order
};

struct DialogSkinConfig {
    std::string back, map;
};

// Field-by-field equality, for comparing a configuration with another.
bool operator==(const ToggleSkin& a, const ToggleSkin& b);
bool operator==(const SliderSkin& a, const SliderSkin& b);
bool operator==(const PanelSkinConfig& a, const PanelSkinConfig& b);
inline bool operator!=(const PanelSkinConfig& a, const PanelSkinConfig& b) { return !(a == b); }

enum class SkinConfigStatus {
    Ok,
    LineTooLong,    // a line over kMaxSkinConfigLine characters
    NameTooLong,    // an image name over its field's limit
    BadToggleLine,  // a "stsbtn" line short of its five fields
    BadSliderLine,  // a "slider" line short of its six fields
    BadColour,      // a key or transparent colour that is not RRGGBB hex
    MissingBack,    // no non-empty "back" (panel) or no "back" (dialog)
    MissingMap,     // a dialog configuration without "map"
};

// "0032FA" -> 0xFA3200. One to six hexadecimal digits, nothing else.
bool ParseKeyColour(std::string_view text, Colour& out);

SkinConfigStatus ParsePanelSkinConfig(std::string_view text, PanelSkinConfig& out);
SkinConfigStatus ParseDialogSkinConfig(std::string_view text, DialogSkinConfig& out);

const char* SkinConfigStatusText(SkinConfigStatus status);

}  // namespace vimbrel::ui
