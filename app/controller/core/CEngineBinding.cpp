#include "CEngineBinding.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "SettingsBlock.h"

namespace vimbrel::controller {

void CEngineBinding::Attach(void* module, const EngineApi& api) {
    module_ = module;
    api_ = api;
}

bool CEngineBinding::MarkBound() {
    bool was = boundOnce_;
    boundOnce_ = true;
    return was;
}

int CEngineBinding::SetVideoFormat(int formatIndex) {
    if (formatIndex < 0 || !IsLoaded() || !api_.SetVideoFormat) return 0;
    if (api_.SetVideoFormat(formatIndex, 0) != 1) return 0;
    callbacks_.ClearLastDateText();
    return 1;
}

int CEngineBinding::GetVideoQuality(int property, int* value) {
    if (value == nullptr || !IsLoaded() || !api_.GetVideoQuality) return 0;
    EngineLong read = 0;
    if (api_.GetVideoQuality(property, &read) != 1) return 0;
    *value = static_cast<int>(read);
    return 1;
}

int CEngineBinding::SetVideoQuality(int property, int value) {
    if (!IsLoaded() || !api_.SetVideoQuality) return 0;
    return api_.SetVideoQuality(property, value);
}

int CEngineBinding::SetDefaultVideoQuality(int property) {
    if (!IsLoaded() || !api_.SetDefaultVideoQuality) return 0;
    if (property != -1) return api_.SetDefaultVideoQuality(property);
    // The eight properties the video settings page shows; 6 is not among them.
    for (int each : {0, 1, 2, 3, 4, 5, 7, 8}) api_.SetDefaultVideoQuality(each);
    return 1;
}

int CEngineBinding::GetVideoQualityRange(int property, int* minimum, int* maximum, int* defaultValue) {
    if (!minimum || !maximum || !defaultValue || !IsLoaded() || !api_.GetVideoQualityRange) return 0;
    EngineLong low = 0, high = 0, standard = 0;
    if (api_.GetVideoQualityRange(property, &low, &high, &standard) != 1) return 0;
    *minimum = static_cast<int>(low);
    *maximum = static_cast<int>(high);
    *defaultValue = static_cast<int>(standard);
    return 1;
}

int CEngineBinding::SetMirrorMode(int on, int force) {
    if (force == 0 && on == mirrorMode_) return 1;
    if (!IsLoaded() || !api_.SetMirrorMode) return 0;
    if (api_.SetMirrorMode(on) != 1) return 0;
    mirrorMode_ = on;
    return 1;
}

int CEngineBinding::SetShootMode(int shootMode) {
    if (shootMode < 0 || shootMode > 6 || !IsLoaded() || !api_.SetShootMode) return 0;
    api_.SetShootMode(shootMode);
    return 1;
}

int CEngineBinding::ShowCameraProperties(EngineWindow parent) {
    if (IsLoaded() && api_.DisplayCameraAdvancedSetting) api_.DisplayCameraAdvancedSetting(parent);
    return 1;
}

int CEngineBinding::GetVideoDeviceName(int* index, char16_t* out) {
    return IsLoaded() ? GetDeviceName(api_.GetVideoDevice, index, out) : 0;
}

int CEngineBinding::GetAudioDeviceName(int* index, char16_t* out) {
    return IsLoaded() ? GetDeviceName(api_.GetAudioDevice, index, out) : 0;
}

int CEngineBinding::GetDeviceName(DeviceNameFn query, int* index, char16_t* out) {
    if (query == nullptr || index == nullptr) return 0;
    bool askingCount = *index == -1;
    if (out == nullptr && !askingCount) return 0;
    // One byte more than the engine may fill, so a name that uses the whole
    // buffer still ends here.
    std::array<char, kDeviceNameCapacity + 1> name{};
    if (query(index, name.data()) != 1) return 0;
    if (askingCount) return 1;
    name.back() = '\0';
    auto wide = codePage_.AnsiToWide(std::string_view(name.data()));
    if (!wide) return 0;
    std::size_t length = std::min(wide->size(), kDeviceNameCapacity - 1);
    std::copy_n(wide->data(), length, out);
    out[length] = u'\0';
    return 1;
}

}  // namespace vimbrel::controller
