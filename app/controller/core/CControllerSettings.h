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
    CControllerSettings(CEngineBinding& engine, ISettingsStore& store,
                        IControllerCallbacks& callbacks, std::u16string programFolder);
    CControllerSettings(const CControllerSettings&) = delete;
    CControllerSettings& operator=(const CControllerSettings&) = delete;

    SettingsBlock& Block() { return m_block; }
    const SettingsBlock& Block() const { return m_block; }
    double AudioVolume() const { return m_audioVolume; }
    double PlaybackVolume() const { return m_playbackVolume; }
    int ModeId() const { return m_modeId; }
    void SetModeId(int modeId) { m_modeId = modeId; }
    // The live filter and frame entries last applied to the preview.
    int LiveEffectEntry() const { return m_liveEffectEntry; }
    int LiveFrameEntry() const { return m_liveFrameEntry; }

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

    CEngineBinding& m_engine;
    ISettingsStore& m_store;
    IControllerCallbacks& m_callbacks;
    std::u16string m_programFolder;

    SettingsBlock m_block{};
    double m_audioVolume = 1.0;
    double m_playbackVolume = 1.0;
    int m_modeId = 0;
    int m_liveEffectEntry = 0;
    int m_liveFrameEntry = 0;
};

}  // namespace vimbrel::controller
