#include "engine/win/MicrophoneInput.h"

#include "engine/core/DeviceNameRules.h"
#include "engine/win/PinHelpers.h"

#include <vector>

namespace camera {

namespace {

std::vector<ComPtr<IPin>> InputPins(IBaseFilter* filter) {
    std::vector<ComPtr<IPin>> inputs;
    ComPtr<IEnumPins> pins;
    if (filter == nullptr || FAILED(filter->EnumPins(pins.GetAddressOf())) || !pins) return inputs;
    ComPtr<IPin> pin;
    while (pins->Next(1, pin.ReleaseAndGetAddressOf(), nullptr) == S_OK) {
        PIN_DIRECTION direction;
        if (SUCCEEDED(pin->QueryDirection(&direction)) && direction == PINDIR_INPUT) inputs.push_back(pin);
    }
    return inputs;
}

bool IsMicrophonePin(IPin* pin) { return IsMicrophonePinName(AsUtf16(PinName(pin))); }

// Some drivers take the level only on the device as a whole.
HRESULT SetFilterLevel(IBaseFilter* filter, double level) {
    ComPtr<IAMAudioInputMixer> mixer;
    HRESULT hr = QueryTo(filter, IID_IAMAudioInputMixer, mixer);
    return SUCCEEDED(hr) ? mixer->put_MixLevel(level) : hr;
}

HRESULT EnablePin(CaptureEngineState& state, IPin* pin, double level) {
    QueryTo(pin, IID_IAMAudioInputMixer, state.microphoneMixer);
    if (!state.microphoneMixer) return E_NOINTERFACE;
    state.microphoneMixer->put_Enable(TRUE);
    return state.microphoneMixer->put_MixLevel(level);
}

}  // namespace

HRESULT EnableMicrophoneInput(CaptureEngineState& state, IBaseFilter* audioCapture) {
    const double level = state.values.audioVolume;
    const std::vector<ComPtr<IPin>> inputs = InputPins(audioCapture);

    for (const ComPtr<IPin>& pin : inputs) {
        if (!IsMicrophonePin(pin.Get())) continue;
        if (FAILED(EnablePin(state, pin.Get(), level))) SetFilterLevel(audioCapture, level);
        return S_OK;
    }

    // No input says it is a microphone: the first one that takes the level.
    for (const ComPtr<IPin>& pin : inputs) {
        if (SUCCEEDED(EnablePin(state, pin.Get(), level)) || SUCCEEDED(SetFilterLevel(audioCapture, level)))
            return S_OK;
    }
    return E_FAIL;
}

}  // namespace camera
