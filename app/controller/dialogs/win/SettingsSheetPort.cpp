#include "SettingsSheetPort.h"

#include <array>

#include "SettingsBlock.h"

namespace vimbrel::controller {

std::u16string CControllerSheetPort::StoredVideoDevice() const { return settings_.Block().videoDev; }

std::u16string CControllerSheetPort::StoredAudioDevice() const { return settings_.Block().audioDev; }

int CControllerSheetPort::VideoDeviceCount() {
    int index = -1;
    std::array<char16_t, kDeviceNameCapacity> name{};
    return engine_.GetVideoDeviceName(&index, name.data()) ? index : 0;
}

int CControllerSheetPort::AudioDeviceCount() {
    int index = -1;
    std::array<char16_t, kDeviceNameCapacity> name{};
    return engine_.GetAudioDeviceName(&index, name.data()) ? index : 0;
}

std::u16string CControllerSheetPort::VideoDeviceName(int index) {
    std::array<char16_t, kDeviceNameCapacity> name{};
    return engine_.GetVideoDeviceName(&index, name.data()) ? name.data() : u"";
}

std::u16string CControllerSheetPort::AudioDeviceName(int index) {
    std::array<char16_t, kDeviceNameCapacity> name{};
    return engine_.GetAudioDeviceName(&index, name.data()) ? name.data() : u"";
}

int CControllerSheetPort::ApplyMirror(int on) { return settings_.ApplySetting(kSettingMirror, on, 1); }

int CControllerSheetPort::ShowCameraProperties(HWND parent) { return engine_.ShowCameraProperties(parent); }

}  // namespace vimbrel::controller
