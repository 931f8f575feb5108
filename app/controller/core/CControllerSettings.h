#pragma once
// The user's settings: the record of current values with the volumes,
// mirror mode and mode kept beside it, their trip to and from the settings
// store, and ApplySetting, which hands a changed value to the engine or the
// photo canvas.

#include <string>
#include <string_view>

#include "CEngineBinding.h"
#include "EnginePorts.h"
#include "SettingsBlock.h"
#include "SettingsStore.h"

namespace vimbrel::controller {

class CControllerSettings {
public:
    // All four are used, not owned, and outlive this object. programFolder
    // is the folder of the running program, without a trailing backslash.
    CControllerSettings(CEngineBinding& engine, ISettingsStore& store, IControllerCallbacks& callbacks,
                        std::u16string programFolder);
    CControllerSettings(const CControllerSettings&) = delete;
    CControllerSettings& operator=(const CControllerSettings&) = delete;

    SettingsBlock& Block() { return block_; }
    const SettingsBlock& Block() const { return block_; }
    double AudioVolume() const { return audioVolume_; }
    double PlaybackVolume() const { return playbackVolume_; }
    int ModeId() const { return modeId_; }
    void SetModeId(int modeId) { modeId_ = modeId; }
    // The live filter and frame entries last applied to the preview.
    int LiveEffectEntry() const { return liveEffectEntry_; }
    int LiveFrameEntry() const { return liveFrameEntry_; }

    // Reads every setting, storing the defaults of missing ones and the
    // values forced at each start. Always 1.
    int LoadSettings();
    // 1 applied, 0 refused. apply matters for the resolutions only (1: also
    // switch the engine's format).
    int ApplySetting(int settingId, int value, int apply);
    int GetSetting(int settingId, int* out) const;
    int CopySettings(SettingsBlock* out) const;
    int RestoreDefaults();
    // The stored values handed to a freshly started engine. Always 1.
    int ReapplySettings();

    int SaveSettingValue(int settingId, int value);
    int LoadSettingValue(int settingId, int* out) const;
    // Into the existing key only: 0 when it cannot be opened.
    int SaveSettingString(std::u16string_view name, std::u16string_view text);

    // 0..1. Listeners of kind 0 hear every change and every refusal.
    int SetAudioVolume(double volume);
    // -1 when the engine is not loaded or refuses, 0 when it lacks the call.
    double GetAudioVolume() const;
    int SetPlaybackVolume(double volume);
    int GetPlaybackVolume(double* volume) const;

    // Live filter entry 0..15 through the effect id map to the engine.
    int SetEffect(int entry);
    // Frame entry 1..15 as a picture path to the engine; 0 takes it away.
    int SetFrame(int entry);

private:
    int LoadOrDefault(int settingId, int defaultValue);
    int ForceStored(int settingId, int value);
    void LoadDeviceName(std::u16string_view name, char16_t* field);
    int ApplyResolution(int settingId, int value, int apply);
    void StoreAccepted(int settingId, int value);

    CEngineBinding& engine_;
    ISettingsStore& store_;
    IControllerCallbacks& callbacks_;
    std::u16string programFolder_;

    SettingsBlock block_{};
    double audioVolume_ = 1.0;
    double playbackVolume_ = 1.0;
    int modeId_ = 0;
    int liveEffectEntry_ = 0;
    int liveFrameEntry_ = 0;
};

}  // namespace vimbrel::controller
