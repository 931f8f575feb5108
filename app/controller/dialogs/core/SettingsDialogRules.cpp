#include "SettingsDialogRules.h"

namespace vimbrel::controller {

const std::array<VideoPropertyRow, kVideoRowCount> kVideoPropertyRows = {{
    {0, 1021, 1013, 1029, u"IDS_STG_VIDEO_BRIGHTNESS"},
    {1, 1022, 1014, 1030, u"IDS_STG_VIDEO_CONTRAST"},
    {2, 1023, 1015, 1031, u"IDS_STG_VIDEO_HUE"},
    {3, 1024, 1016, 1032, u"IDS_STG_VIDEO_SATURATION"},
    {4, 1025, 1017, 1033, u"IDS_STG_VIDEO_SHARPNESS"},
    {5, 1026, 1018, 1034, u"IDS_STG_VIDEO_GAMMA"},
    {7, 1027, 1019, 1035, u"IDS_STG_VIDEO_WHITEBALANCE"},
    {8, 1028, 1020, 1036, u"IDS_STG_VIDEO_BACKLIGHT"},
}};

const VideoPropertyRow* RowOfProperty(int property) {
    for (const VideoPropertyRow& row : kVideoPropertyRows) {
        if (row.property == property) return &row;
    }
    return nullptr;
}

const VideoPropertyRow* RowOfTrackbar(int trackbarId) {
    for (const VideoPropertyRow& row : kVideoPropertyRows) {
        if (row.trackbarId == trackbarId) return &row;
    }
    return nullptr;
}

ButtonPlacement PlaceVideoButtons(int sheetWidth, int defaultWidth, int advancedWidth) {
    // 40 pixels from the sheet's right edge to Advanced, 10 between the two.
    return {sheetWidth - defaultWidth - advancedWidth - 50, sheetWidth - advancedWidth - 40};
}

int WidenToTheLeft(int left, int width, int idealWidth) {
    return idealWidth > width ? left + width - idealWidth : left;
}

MirrorDecision DecideMirror(bool cameraTurned, bool boxTicked) {
    if (cameraTurned) return {false, 0};
    return {true, boxTicked ? 1 : 0};
}

int FrequencyFromGeoValue(std::u16string_view value) {
    const std::size_t comma = value.find(u',');
    if (comma == std::u16string_view::npos) return 0;
    // The number as the C library reads it: blanks skipped, digits up to
    // the first other character; kept below any overflow.
    std::size_t at = comma + 1;
    while (at < value.size() && (value[at] == u' ' || value[at] == u'\t')) ++at;
    int hertz = 0;
    for (; at < value.size() && value[at] >= u'0' && value[at] <= u'9'; ++at) {
        if (hertz > 100000) return 0;
        hertz = hertz * 10 + (value[at] - u'0');
    }
    return hertz;
}

std::u16string FrequencyText(int hertz) {
    if (hertz == 50) return u"50 Hz";
    if (hertz == 60) return u"60 Hz";
    return u"50/60 Hz";
}

std::u16string GeoIniKey(int geoId) {
    static const char16_t kDigits[] = u"0123456789abcdef";
    unsigned value = static_cast<unsigned>(geoId);
    std::u16string key;
    do {
        key.insert(key.begin(), kDigits[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    return key;
}

}  // namespace vimbrel::controller
