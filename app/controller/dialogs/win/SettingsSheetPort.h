#pragma once
// The controller operations the settings sheet calls. The program's one
// goes to the controller's engine, settings and devices (and the camera
// module for the rotation); tests may put their own behind it.

#include <windows.h>

#include <functional>
#include <string>

#include "CControllerSettings.h"
#include "CEngineBinding.h"
#include "CEngineDevices.h"

namespace vimbrel::controller {

class ISettingsSheetPort {
public:
    virtual ~ISettingsSheetPort() = default;
    // The stored device names (VideoDev, AudioDev).
    virtual std::u16string StoredVideoDevice() const = 0;
    virtual std::u16string StoredAudioDevice() const = 0;
    virtual int VideoDeviceCount() = 0;
    virtual int AudioDeviceCount() = 0;
    virtual std::u16string VideoDeviceName(int index) = 0;
    virtual std::u16string AudioDeviceName(int index) = 0;
    virtual int SelectVideoDevice(int index) = 0;
    virtual int SelectAudioDevice(int index) = 0;
    virtual int GetMirrorMode() const = 0;
    // The mirror setting (0x2002), applied and stored.
    virtual int ApplyMirror(int on) = 0;
    virtual int IsCameraTurned() = 0;
    virtual int GetVideoQuality(int property, int* value) = 0;
    virtual int GetVideoQualityRange(int property, int* minimum, int* maximum, int* defaultValue) = 0;
    virtual int SetVideoQuality(int property, int value) = 0;
    // -1: every property the page shows.
    virtual int SetDefaultVideoQuality(int property) = 0;
    virtual int ShowCameraProperties(HWND parent) = 0;
};

// Over the controller's parts.
class CControllerSheetPort final : public ISettingsSheetPort {
public:
    CControllerSheetPort(CEngineBinding& engine, CControllerSettings& settings, CEngineDevices& devices,
                         std::function<int()> isCameraTurned)
        : engine_(engine), settings_(settings), devices_(devices), isCameraTurned_(std::move(isCameraTurned)) {}

    std::u16string StoredVideoDevice() const override;
    std::u16string StoredAudioDevice() const override;
    int VideoDeviceCount() override;
    int AudioDeviceCount() override;
    std::u16string VideoDeviceName(int index) override;
    std::u16string AudioDeviceName(int index) override;
    int SelectVideoDevice(int index) override { return devices_.SelectVideoDevice(index); }
    int SelectAudioDevice(int index) override { return devices_.SelectAudioDevice(index); }
    int GetMirrorMode() const override { return engine_.GetMirrorMode(); }
    int ApplyMirror(int on) override;
    int IsCameraTurned() override { return isCameraTurned_ ? isCameraTurned_() : 0; }
    int GetVideoQuality(int property, int* value) override { return engine_.GetVideoQuality(property, value); }
    int GetVideoQualityRange(int property, int* minimum, int* maximum, int* defaultValue) override {
        return engine_.GetVideoQualityRange(property, minimum, maximum, defaultValue);
    }
    int SetVideoQuality(int property, int value) override { return engine_.SetVideoQuality(property, value); }
    int SetDefaultVideoQuality(int property) override { return engine_.SetDefaultVideoQuality(property); }
    int ShowCameraProperties(HWND parent) override;

private:
    CEngineBinding& engine_;
    CControllerSettings& settings_;
    CEngineDevices& devices_;
    std::function<int()> isCameraTurned_;
};

}  // namespace vimbrel::controller
