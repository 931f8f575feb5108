#pragma once
// The rules behind the settings sheet and the mains-frequency prompt, kept
// apart from the windows: the picture-property rows, where the video
// page's buttons go, what the mirror box sends, and the frequency a
// nation's geo.ini entry recommends.

#include <array>
#include <string>
#include <string_view>

namespace vimbrel::controller {

// One row of the video page: a camera picture property with its label,
// trackbar and value text.
struct VideoPropertyRow {
    int property;
    int labelId;
    int trackbarId;
    int valueId;
    const char16_t* labelKey;
};
inline constexpr std::size_t kVideoRowCount = 8;
extern const std::array<VideoPropertyRow, kVideoRowCount> kVideoPropertyRows;
// The engine's picture properties run 0..9; 6 and 9 have no row.
inline constexpr int kVideoPropertyCount = 10;
// The row showing property, or null.
const VideoPropertyRow* RowOfProperty(int property);
// The row whose trackbar has this id, or null.
const VideoPropertyRow* RowOfTrackbar(int trackbarId);

// The video page's Default and Advanced buttons sit at the right of the
// sheet, each as wide as its text needs.
struct ButtonPlacement {
    int defaultX;
    int advancedX;
};
ButtonPlacement PlaceVideoButtons(int sheetWidth, int defaultWidth, int advancedWidth);

// The sheet's Cancel button, renamed Close, grows to the left when its
// text needs more room; its right edge stays. Answers the new left edge.
int WidenToTheLeft(int left, int width, int idealWidth);

// What the device page's timer does with the mirror box.
struct MirrorDecision {
    bool boxEnabled;
    int mirror;
};
MirrorDecision DecideMirror(bool cameraTurned, bool boxTicked);

// The frequency in a geo.ini value "Name,60 ...": the digits after the
// first comma up to a blank or the end; 0 without a comma or a number.
int FrequencyFromGeoValue(std::u16string_view value);
// "50 Hz" or "60 Hz"; "50/60 Hz" for anything else.
std::u16string FrequencyText(int hertz);
// A geo id as geo.ini names it: lower-case hexadecimal.
std::u16string GeoIniKey(int geoId);

}  // namespace vimbrel::controller
