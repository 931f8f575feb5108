#include "ControlRanges.h"

#include "BenchDevices.h"

namespace bench {
namespace {

constexpr long kManual = VideoProcAmp_Flags_Manual;
constexpr long kAuto = VideoProcAmp_Flags_Auto;

// Indexed by VideoProcAmpProperty.
constexpr ControlRange kProcAmp[kProcAmpCount] = {
    {0, 255, 1, 128, kManual},                // brightness
    {0, 255, 1, 32, kManual},                 // contrast
    {-180, 180, 1, 0, kManual},               // hue
    {0, 200, 1, 64, kManual},                 // saturation
    {0, 7, 1, 3, kManual},                    // sharpness
    {1, 500, 1, 100, kManual},                // gamma
    {0, 1, 1, 1, kManual},                    // colour enable
    {2800, 6500, 10, 4600, kManual | kAuto},  // white balance
    {0, 2, 1, 1, kManual},                    // backlight compensation
    {0, 255, 1, 0, kManual | kAuto},          // gain
};

// Indexed by CameraControlProperty.
constexpr ControlRange kCamera[kCameraControlCount] = {
    {-180, 180, 1, 0, kManual},         // pan
    {-90, 90, 1, 0, kManual},           // tilt
    {-180, 180, 1, 0, kManual},         // roll
    {100, 400, 10, 100, kManual},       // zoom
    {-11, -2, 1, -6, kManual | kAuto},  // exposure (log2 seconds)
    {0, 10, 1, 5, kManual},             // iris
    {0, 255, 5, 0, kManual | kAuto},    // focus
};

}  // namespace

const ControlRange* RangeOf(ControlFamily family, long property, DWORD missingFlags) {
    if (family == ControlFamily::VideoProcAmp) {
        if (property < 0 || property >= kProcAmpCount || (missingFlags & BENCH_MISSING_VIDEOPROCAMP) ||
            (property == VideoProcAmp_Gamma && (missingFlags & BENCH_MISSING_GAMMA))) {
            return nullptr;
        }
        return &kProcAmp[property];
    }
    if (property < 0 || property >= kCameraControlCount || (missingFlags & BENCH_MISSING_CAMERACONTROL) ||
        (property == CameraControl_Exposure && (missingFlags & BENCH_MISSING_EXPOSURE))) {
        return nullptr;
    }
    return &kCamera[property];
}

bool ValidSetting(const ControlRange& range, long value, long flags) {
    if (flags != kManual && flags != kAuto) {
        return false;
    }
    if (flags == kAuto) {
        return (range.capsFlags & kAuto) != 0;
    }
    if (value < range.minimum || value > range.maximum) {
        return false;
    }
    return (value - range.minimum) % range.step == 0;
}

}  // namespace bench
