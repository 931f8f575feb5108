// Fills the engine's two device lists with the usable capture devices.
#pragma once

#include "engine/win/CaptureEngineState.h"

namespace camera {

// Each refills its list from nothing and answers the count; with no usable
// device it tells the user so.
int EnumerateAudioDevices(DeviceList& list);
int EnumerateVideoDevices(DeviceList& list);

// A sound source must have inputs to choose from (the microphone lines).
bool IsUsableAudioDevice(IBaseFilter* filter);
// Video-for-Windows wrappers, TV decoders and tape decks are not cameras.
bool IsUsableVideoDevice(IBaseFilter* filter);

HRESULT BindDevice(IMoniker* moniker, ComPtr<IBaseFilter>& filter);

}  // namespace camera
