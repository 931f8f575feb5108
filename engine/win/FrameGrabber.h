// The Sample Grabber set up as every graph of the engine uses it.
#pragma once

#include "engine/win/ComHelpers.h"

#include <qedit.h>

namespace camera {

// A new grabber that accepts uncompressed RGB24 video only (with a format
// block of formatType; GUID_NULL leaves the format open) and keeps the last
// frame, so that the picture on show can be read at any moment. The two
// outputs are set only when all of it worked.
HRESULT CreateRgbFrameGrabber(REFGUID formatType, ComPtr<IBaseFilter>& filter, ComPtr<ISampleGrabber>& grabber);

}  // namespace camera
