// The picture and camera controls the virtual cameras offer: range, step,
// default and capability flags of each property, as a real webcam driver
// would report them.
#pragma once

#include <dshow.h>

namespace bench {

struct ControlRange {
    long minimum;
    long maximum;
    long step;
    long defaultValue;
    long capsFlags;  // VideoProcAmp_Flags_* / CameraControl_Flags_* (same values)
};

constexpr int kProcAmpCount = 10;       // VideoProcAmp_Brightness .. VideoProcAmp_Gain
constexpr int kCameraControlCount = 7;  // CameraControl_Pan .. CameraControl_Focus

enum class ControlFamily { VideoProcAmp, CameraControl };

// Null for a property the cameras do not have (with the missing-controls
// switches applied).
const ControlRange* RangeOf(ControlFamily family, long property, DWORD missingFlags);

// Whether value and flags are acceptable for a Set on this range.
bool ValidSetting(const ControlRange& range, long value, long flags);

}  // namespace bench
