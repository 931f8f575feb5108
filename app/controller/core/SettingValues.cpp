#include "SettingValues.h"

#include <array>
#include <string>

#include "SettingsBlock.h"

namespace vimbrel::controller {

int EffectIdOfEntry(int entry) {
    static constexpr std::array<int, 16> kEffectIds = {0, 4, 5, 11, 17, 16, 19, 9, 21, 7, 18, 14, 12, 15, 26, 20};
    return entry >= 0 && entry < static_cast<int>(kEffectIds.size()) ? kEffectIds[entry] : 0;
}

std::optional<int> JpegQualityOf(int jpgQuality) {
    static constexpr std::array<int, 3> kQualities = {90, 75, 50};
    if (jpgQuality < 0 || jpgQuality >= static_cast<int>(kQualities.size())) return std::nullopt;
    return kQualities[jpgQuality];
}

std::optional<int> TimerSecondsOf(int timer) {
    static constexpr std::array<int, 3> kSeconds = {5, 10, 0};
    if (timer < 0 || timer >= static_cast<int>(kSeconds.size())) return std::nullopt;
    return kSeconds[timer];
}

std::optional<int> PenWidthOf(int penSize) {
    static constexpr std::array<int, 4> kWidths = {1, 2, 4, 8};
    if (penSize < 0 || penSize >= static_cast<int>(kWidths.size())) return std::nullopt;
    return kWidths[penSize];
}

std::u16string FramePicturePath(std::u16string_view programFolder, int entry) {
    std::string number = std::to_string(entry);
    std::u16string path(programFolder);
    path += u"\\PhotoFrame\\frame";
    path.append(number.begin(), number.end());
    path += u".png";
    return path;
}

std::optional<ValueRange> StoredValueRange(int settingId) {
    switch (settingId) {
    case kSettingShootMode: return ValueRange{0, 6};
    // -1 means nothing saved; the upper end is checked against the lists
    // once the camera has told its sizes.
    case kSettingImageResolution:
    case kSettingVideoResolution: return ValueRange{-1, 0x7FFFFFFF};
    case kSettingDate: return ValueRange{0, 3};
    case kSettingJpgQuality: return ValueRange{0, 2};
    case kSettingAsfQuality:
    case kSettingWmaQuality: return ValueRange{0, 3};
    case kSettingVideoFileType:
    case kSettingAudioFileType: return ValueRange{0, 2};
    case kSettingImageFileType: return ValueRange{0, 4};
    case kSettingWhiteBalance: return ValueRange{0, 4};
    case kSettingSensitivity: return ValueRange{0, 10};
    case kSettingPenSize: return ValueRange{0, 3};
    case kSettingPenType: return ValueRange{0, 1};
    case kSettingMicrophoneVolume:
    case kSettingPlaybackVolume: return ValueRange{0, 100};
    case kSettingModeId: return ValueRange{0, 5};
    default: return std::nullopt;
    }
}

}  // namespace vimbrel::controller
