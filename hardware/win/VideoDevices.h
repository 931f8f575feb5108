// The video input devices as the system device enumerator lists them, with
// the friendly name of each. The chip library and the camera modules both
// find their device this way; neither initialises COM here (the chip library
// does so itself before, the modules leave it to their caller).
#pragma once

#include <windows.h>
#include <objidl.h>

#include <functional>
#include <string>

namespace hardware {

// Called for each device whose property bag gives a "FriendlyName" string;
// returning true ends the walk.
using VideoDeviceVisitor = std::function<bool(IMoniker* moniker, const std::wstring& friendlyName)>;

// False when the enumerator cannot be created or the category does not
// enumerate with S_OK (an empty category answers S_FALSE): no device.
bool ForEachVideoDevice(const VideoDeviceVisitor& visit);

// The system code page's spelling of a name (empty when it cannot convert).
std::string ToAnsi(const std::wstring& text);

}  // namespace hardware
