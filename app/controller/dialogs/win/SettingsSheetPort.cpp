#include "SettingsSheetPort.h"

#include <array>

#include "SettingsBlock.h"

namespace vimbrel::controller {

std::u16string CControllerSheetPort::StoredVideoDevice() const {
    return m_settings.Block().videoDev;
}

std::u16string CControllerSheetPort::StoredAudioDevice() const {
    return m_settings.Block().audioDev;
}

int CControllerSheetPort::VideoDeviceCount() {
    int index = -1;
    std::array<char16_t, kDeviceNameCapacity> name{};
    return m_engine.GetVideoDeviceName(&index, name.data()) ? index : 0;
}

int CControllerSheetPort::AudioDeviceCount() {
    int index = -1;
    std::array<char16_t, kDeviceNameCapacity> name{};
    return m_engine.GetAudioDeviceName(&index, name.data()) ? index : 0;
}

std::u16string CControllerSheetPort::VideoDeviceName(int index) {
    std::array<char16_t, kDeviceNameCapacity> name{};
    return m_engine.GetVideoDeviceName(&index, name.data()) ? name.data() : u"";
}

std::u16string CControllerSheetPort::AudioDeviceName(int index) {
    std::array<char16_t, kDeviceNameCapacity> name{};
    return m_engine.GetAudioDeviceName(&index, name.data()) ? name.data() : u"";
}

int CControllerSheetPort::ApplyMirror(int on) {
    return m_settings.ApplySetting(kSettingMirror, on, 1);
}

int CControllerSheetPort::ShowCameraProperties(HWND parent) {
    return m_engine.ShowCameraProperties(parent);
}

}  // namespace vimbrel::controller
