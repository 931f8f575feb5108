#include "CControllerSettings.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "SettingValues.h"

namespace vimbrel::controller {
namespace {

constexpr int kModeVideo = 0;
constexpr int kModeVideoOnly = 1;
constexpr int kModeImage = 3;
constexpr int kModeBrowse = 4;

bool InRange(int value, int minimum, int maximum) { return value >= minimum && value <= maximum; }

bool IsVolume(double volume) {
    return volume >= 0.0 && volume <= 1.0;  // false for NaN too
}

// Volumes are stored as whole hundredths, cut, not rounded.
int Hundredths(double volume) { return static_cast<int>(volume * 100.0); }

}  // namespace

CControllerSettings::CControllerSettings(CEngineBinding& engine, ISettingsStore& store, IControllerCallbacks& callbacks,
                                         std::u16string programFolder)
    : engine_(engine), store_(store), callbacks_(callbacks), programFolder_(std::move(programFolder)) {}

int CControllerSettings::SaveSettingValue(int settingId, int value) {
    return store_.WriteDword(SettingValueName(settingId), static_cast<std::uint32_t>(value)) ? 1 : 0;
}

int CControllerSettings::LoadSettingValue(int settingId, int* out) const {
    if (out == nullptr) return 0;
    auto value = store_.ReadDword(SettingValueName(settingId));
    if (!value) return 0;
    *out = static_cast<int>(*value);
    return 1;
}

int CControllerSettings::SaveSettingString(std::u16string_view name, std::u16string_view text) {
    return store_.WriteString(name, text) ? 1 : 0;
}

// A missing value takes the default, which is stored. A stored value that
// would pick a row, entry or mode that does not exist is replaced by the
// default in memory only, leaving the store as it was.
int CControllerSettings::LoadOrDefault(int settingId, int defaultValue) {
    int value = 0;
    if (!LoadSettingValue(settingId, &value)) {
        SaveSettingValue(settingId, defaultValue);
        return defaultValue;
    }
    auto range = StoredValueRange(settingId);
    if (range && !InRange(value, range->minimum, range->maximum)) return defaultValue;
    return value;
}

int CControllerSettings::ForceStored(int settingId, int value) {
    SaveSettingValue(settingId, value);
    return value;
}

void CControllerSettings::LoadDeviceName(std::u16string_view name, char16_t* field) {
    auto text = store_.ReadString(name, kDeviceNameCapacity);
    if (!text) return;
    std::size_t length = std::min(text->size(), kDeviceNameCapacity - 1);
    std::copy_n(text->data(), length, field);
    field[length] = u'\0';
}

int CControllerSettings::LoadSettings() {
    SettingsBlock& b = block_;
    b.shootMode = LoadOrDefault(kSettingShootMode, 6);
    // A flash, a self-timer or a burst left on from the last run would
    // surprise the user: each start turns them off.
    b.flash = ForceStored(kSettingFlash, 1);
    b.timer = ForceStored(kSettingTimer, 2);
    b.timerSeconds = 0;
    b.contShooting = ForceStored(kSettingContShooting, 4);

    // Nothing saved stays -1 and is not stored: the start picks a size
    // from the camera's list then.
    int index = -1;
    b.imageResolutionIndex = LoadSettingValue(kSettingImageResolution, &index) && index >= -1 ? index : -1;
    index = -1;
    b.videoResolutionIndex = LoadSettingValue(kSettingVideoResolution, &index) && index >= -1 ? index : -1;

    b.date = LoadOrDefault(kSettingDate, 3);
    b.jpgQuality = LoadOrDefault(kSettingJpgQuality, 1);
    b.asfQuality = LoadOrDefault(kSettingAsfQuality, 1);
    b.wmaQuality = LoadOrDefault(kSettingWmaQuality, 1);
    b.imageFileType = LoadOrDefault(kSettingImageFileType, 1);
    b.videoFileType = LoadOrDefault(kSettingVideoFileType, 1);
    b.audioFileType = LoadOrDefault(kSettingAudioFileType, 0);
    b.brightness = LoadOrDefault(kSettingBrightness, 50);
    b.contrast = LoadOrDefault(kSettingContrast, 50);
    b.whiteBalance = LoadOrDefault(kSettingWhiteBalance, 4);
    b.penSize = LoadOrDefault(kSettingPenSize, 1);
    b.penType = LoadOrDefault(kSettingPenType, 0);
    b.color = LoadOrDefault(kSettingColor, 0);
    b.filter = ForceStored(kSettingFilter, 0);
    b.photoFilter = ForceStored(kSettingPhotoFilter, 0);
    b.frame = ForceStored(kSettingFrame, 0);
    b.sensitivity = LoadOrDefault(kSettingSensitivity, 5);

    audioVolume_ = LoadOrDefault(kSettingMicrophoneVolume, 100) * 0.01;
    playbackVolume_ = LoadOrDefault(kSettingPlaybackVolume, 100) * 0.01;

    int stored = 0;
    engine_.KeepMirrorMode(LoadSettingValue(kSettingMirror, &stored) ? stored : 0);
    modeId_ = LoadSettingValue(kSettingModeId, &stored) && InRange(stored, 0, 5) ? stored : 0;

    LoadDeviceName(u"VideoDev", b.videoDev);
    LoadDeviceName(u"AudioDev", b.audioDev);
    return 1;
}

void CControllerSettings::StoreAccepted(int settingId, int value) {
    SaveSettingValue(settingId, value);  // a store that fails loses only the next start's value
}

int CControllerSettings::ApplyResolution(int settingId, int value, int apply) {
    bool image = settingId == kSettingImageResolution;
    const CResolutionList& list = image ? engine_.imageList : engine_.videoList;
    const ResolutionEntry* entry = list.At(value);
    if (entry == nullptr) return 1;  // outside the list: nothing changes
    if (apply == 1) engine_.SetVideoFormat(entry->formatIndex);
    int& index = image ? block_.imageResolutionIndex : block_.videoResolutionIndex;
    int& width = image ? block_.imageWidth : block_.videoWidth;
    int& height = image ? block_.imageHeight : block_.videoHeight;
    index = value;
    width = entry->width;
    height = entry->height;
    StoreAccepted(settingId, value);
    return 1;
}

// Values outside a setting's range are refused before anything is stored:
// a refused value in the store would come back at the next start.
int CControllerSettings::ApplySetting(int settingId, int value, int apply) {
    if (settingId < 0 || !engine_.IsLoaded()) return 0;
    const EngineApi& api = engine_.Api();
    SettingsBlock& b = block_;

    // Stores value into field after checking it lies in minimum..maximum.
    auto accept = [&](int& field, int minimum, int maximum) {
        if (!InRange(value, minimum, maximum)) return false;
        StoreAccepted(settingId, value);
        field = value;
        return true;
    };

    switch (settingId) {
    case kSettingShootMode:
        if (!accept(b.shootMode, 0, 6)) return 0;
        engine_.SetShootMode(value);
        break;
    case kSettingFlash:
        if (!accept(b.flash, 0, 1)) return 0;
        break;
    case kSettingTimer:
        if (!accept(b.timer, 0, 2)) return 0;
        b.timerSeconds = TimerSecondsOf(value).value_or(0);
        break;
    case kSettingContShooting:
        if (!accept(b.contShooting, 0, 4)) return 0;
        break;
    case kSettingImageResolution:
    case kSettingVideoResolution: ApplyResolution(settingId, value, apply); break;
    case kSettingDate:
        if (!accept(b.date, 0, 3)) return 0;
        callbacks_.UpdateDateOverlay(value);
        break;
    case kSettingJpgQuality:
        if (!accept(b.jpgQuality, 0, 2)) return 0;
        if (api.SetJPGQuality) api.SetJPGQuality(*JpegQualityOf(value));
        break;
    case kSettingAsfQuality:
        if (!accept(b.asfQuality, 0, 3)) return 0;
        if (api.SetVideoBitrate) api.SetVideoBitrate(value);
        break;
    case kSettingWmaQuality:
        if (!accept(b.wmaQuality, 0, 3)) return 0;
        if (api.SetAudioBitrate) api.SetAudioBitrate(value);
        break;
    case kSettingVideoFileType:
        if (!accept(b.videoFileType, 0, 2)) return 0;
        if (api.SetVideoFileFormat) api.SetVideoFileFormat(value);
        callbacks_.RelayoutFunctionPanel();
        break;
    case kSettingAudioFileType:
        if (!accept(b.audioFileType, 0, 2)) return 0;
        if (api.SetAudioFileFormat) api.SetAudioFileFormat(value);
        callbacks_.RelayoutFunctionPanel();
        break;
    case kSettingImageFileType:
        if (!accept(b.imageFileType, 0, 4)) return 0;
        if (api.SetImageFileFormat) api.SetImageFileFormat(value);
        callbacks_.RelayoutFunctionPanel();
        break;
    case kSettingBrightness:
    case kSettingContrast: {
        bool brightness = settingId == kSettingBrightness;
        accept(brightness ? b.brightness : b.contrast, INT32_MIN, INT32_MAX);
        engine_.SetVideoQuality(brightness ? 0 : 1, value);
        break;
    }
    case kSettingWhiteBalance:
        if (!accept(b.whiteBalance, 0, 4)) return 0;
        break;
    case kSettingDefault:
        StoreAccepted(settingId, value);
        RestoreDefaults();
        break;
    case kSettingFilter:
        if (!accept(b.filter, 0, 15)) return 0;
        liveEffectEntry_ = value;
        liveFrameEntry_ = 0;
        // The filter shows one effect or one frame: the effect replaces the
        // frame, so the frame's record (and its popup's mark) reads none.
        b.frame = 0;
        StoreAccepted(kSettingFrame, 0);
        SetEffect(value);
        break;
    case kSettingPhotoFilter:
        if (!accept(b.photoFilter, 0, 15)) return 0;
        callbacks_.ApplyPhotoEffect(value);
        break;
    case kSettingFrame:
        if (!accept(b.frame, 0, 15)) return 0;
        if (modeId_ == kModeBrowse) {
            callbacks_.SetPhotoFrame(value);
        } else {
            liveFrameEntry_ = value;
            liveEffectEntry_ = 0;
            // As above, the other way round: the frame replaces the effect.
            b.filter = 0;
            StoreAccepted(kSettingFilter, 0);
            SetFrame(value);
        }
        break;
    case kSettingFace:
        // Not kept: the face overlay lasts as long as the engine's graph.
        if (!InRange(value, 0, 10) || !api.SetFace) return 0;
        if (api.SetFace(value) != 1) return 0;
        break;
    case kSettingPenSize:
        if (auto width = PenWidthOf(value)) callbacks_.SetCanvasPenWidth(*width);
        accept(b.penSize, INT32_MIN, INT32_MAX);
        b.penType = 0;
        callbacks_.SetCanvasTool(0);
        break;
    case kSettingColor:
        accept(b.color, INT32_MIN, INT32_MAX);
        callbacks_.SetPenColor(value);
        break;
    case kSettingStamp:
        StoreAccepted(settingId, value);
        b.penType = value != 0 ? 1 : 0;
        callbacks_.SetCanvasTool(b.penType);
        if (value != 0) callbacks_.SetStamp(value);
        break;
    case kSettingPenType:
    case kSettingPrint: StoreAccepted(settingId, value); break;
    case kSettingSensitivity:
        if (!accept(b.sensitivity, 0, 10)) return 0;
        if (api.SetSensitivity) api.SetSensitivity(value);
        break;
    case kSettingMirror:
        StoreAccepted(settingId, value);
        engine_.SetMirrorMode(value != 0 ? 1 : 0, 0);
        break;
    default: return 0;
    }
    callbacks_.RefreshOverlay();
    return 1;
}

int CControllerSettings::GetSetting(int settingId, int* out) const {
    if (out == nullptr) return 0;
    const SettingsBlock& b = block_;
    switch (settingId) {
    case kSettingShootMode: *out = b.shootMode; break;
    case kSettingFlash: *out = b.flash; break;
    case kSettingTimer: *out = b.timer; break;
    case kSettingContShooting: *out = b.contShooting; break;
    case kSettingImageResolution: *out = b.imageResolutionIndex; break;
    case kSettingVideoResolution: *out = b.videoResolutionIndex; break;
    case kSettingDate: *out = b.date; break;
    case kSettingJpgQuality: *out = b.jpgQuality; break;
    case kSettingAsfQuality: *out = b.asfQuality; break;
    case kSettingWmaQuality: *out = b.wmaQuality; break;
    case kSettingVideoFileType: *out = b.videoFileType; break;
    case kSettingAudioFileType: *out = b.audioFileType; break;
    case kSettingImageFileType: *out = b.imageFileType; break;
    case kSettingBrightness: *out = b.brightness; break;
    case kSettingContrast: *out = b.contrast; break;
    case kSettingWhiteBalance: *out = b.whiteBalance; break;
    case kSettingFilter: *out = b.filter; break;
    case kSettingPhotoFilter: *out = b.photoFilter; break;
    case kSettingFrame: *out = b.frame; break;
    case kSettingFace: *out = 0; break;
    case kSettingPenSize: *out = b.penSize; break;
    case kSettingPenType: *out = b.penType; break;
    case kSettingColor: *out = b.color; break;
    case kSettingSensitivity: *out = b.sensitivity; break;
    default: return 0;
    }
    return 1;
}

int CControllerSettings::CopySettings(SettingsBlock* out) const {
    if (out == nullptr) return 0;
    *out = block_;
    return 1;
}

// Brightness and contrast go back to the camera's own defaults in the
// engine only: the stored values stay, as the user last chose them.
int CControllerSettings::RestoreDefaults() {
    ApplySetting(kSettingShootMode, 6, 0);
    ApplySetting(kSettingFlash, 1, 0);
    ApplySetting(kSettingTimer, 2, 0);
    ApplySetting(kSettingContShooting, 4, 0);
    int video = engine_.videoList.FirstIndexOfWidth(320);
    if (video >= 0) {
        ApplySetting(kSettingVideoResolution, video, modeId_ == kModeVideo || modeId_ == kModeVideoOnly ? 1 : 0);
    }
    int image = engine_.imageList.FirstIndexOfWidth(640);
    if (image >= 0) ApplySetting(kSettingImageResolution, image, modeId_ == kModeImage ? 1 : 0);
    ApplySetting(kSettingDate, 3, 0);
    ApplySetting(kSettingJpgQuality, 1, 0);
    ApplySetting(kSettingAsfQuality, 1, 0);
    ApplySetting(kSettingWmaQuality, 1, 0);
    ApplySetting(kSettingImageFileType, 1, 0);
    ApplySetting(kSettingVideoFileType, 1, 0);
    ApplySetting(kSettingAudioFileType, 0, 0);
    for (int property : {0, 1}) {
        int minimum = 0, maximum = 0, standard = 0;
        if (engine_.GetVideoQualityRange(property, &minimum, &maximum, &standard))
            engine_.SetVideoQuality(property, standard);
    }
    ApplySetting(kSettingWhiteBalance, 4, 0);
    ApplySetting(kSettingFilter, 0, 0);
    ApplySetting(kSettingPhotoFilter, 0, 0);
    ApplySetting(kSettingFrame, 0, 0);
    ApplySetting(kSettingSensitivity, 5, 0);
    LoadSettings();
    return 1;
}

int CControllerSettings::ReapplySettings() {
    if (engine_.IsLoaded()) {
        const EngineApi& api = engine_.Api();
        const SettingsBlock& b = block_;
        if (api.SetVideoBitrate) api.SetVideoBitrate(b.asfQuality);
        if (api.SetAudioBitrate) api.SetAudioBitrate(b.wmaQuality);
        if (api.SetVideoFileFormat) api.SetVideoFileFormat(b.videoFileType);
        if (api.SetAudioFileFormat) api.SetAudioFileFormat(b.audioFileType);
        if (api.SetImageFileFormat) api.SetImageFileFormat(b.imageFileType);
        auto quality = JpegQualityOf(b.jpgQuality);
        if (api.SetJPGQuality && quality) api.SetJPGQuality(*quality);
    }
    callbacks_.UpdateDateOverlay(block_.date);
    SetAudioVolume(audioVolume_);
    SetPlaybackVolume(playbackVolume_);
    return 1;
}

int CControllerSettings::SetAudioVolume(double volume) {
    const EngineApi& api = engine_.Api();
    if (!IsVolume(volume) || !engine_.IsLoaded() || !api.SetAudioVolume || api.SetAudioVolume(volume) != 1) {
        callbacks_.NotifySliderListeners(0, 0, 0);
        return 0;
    }
    audioVolume_ = volume;
    SaveSettingValue(kSettingMicrophoneVolume, Hundredths(volume));
    callbacks_.NotifySliderListeners(0, Hundredths(volume), 1);
    return 1;
}

double CControllerSettings::GetAudioVolume() const {
    if (!engine_.IsLoaded()) return -1.0;
    if (!engine_.Api().GetAudioVolume) return 0.0;
    double volume = 0.0;
    return engine_.Api().GetAudioVolume(&volume) == 1 ? volume : -1.0;
}

int CControllerSettings::SetPlaybackVolume(double volume) {
    const EngineApi& api = engine_.Api();
    if (!IsVolume(volume) || !engine_.IsLoaded() || !api.SetPlaybackVolume || api.SetPlaybackVolume(volume) != 1)
        return 0;
    playbackVolume_ = volume;
    SaveSettingValue(kSettingPlaybackVolume, Hundredths(volume));
    return 1;
}

int CControllerSettings::GetPlaybackVolume(double* volume) const {
    if (volume == nullptr || !engine_.IsLoaded() || !engine_.Api().GetPlaybackVolume) return 0;
    return engine_.Api().GetPlaybackVolume(volume) == 1 ? 1 : 0;
}

int CControllerSettings::SetEffect(int entry) {
    if (!engine_.IsLoaded() || !engine_.Api().SetEffect) return 0;
    return engine_.Api().SetEffect(EffectIdOfEntry(entry)) == 1 ? 1 : 0;
}

int CControllerSettings::SetFrame(int entry) {
    if (!InRange(entry, 0, 15) || !engine_.IsLoaded() || !engine_.Api().SetFrame) return 0;
    if (entry == 0) return engine_.Api().SetFrame(nullptr) == 1 ? 1 : 0;
    std::u16string path = FramePicturePath(programFolder_, entry);
    return engine_.Api().SetFrame(EngineText(path.c_str())) == 1 ? 1 : 0;
}

}  // namespace vimbrel::controller
