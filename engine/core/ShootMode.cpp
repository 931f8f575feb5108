#include "engine/core/ShootMode.h"

#include <climits>

namespace camera {

namespace {

long Lifted(long gamma) { return gamma > LONG_MAX - kGammaLift ? LONG_MAX : gamma + kGammaLift; }

void Leave(EngineValues& values, IShootModeTarget& target) {
    if (values.shootMode == 0) {
        if (values.savedGamma != kNoSavedValue) target.SetGamma(values.savedGamma);
        target.SetGammaCorrect(false);
        if (values.savedExposure != kNoSavedValue) target.SetExposure(kRestoredExposure);
    } else if (values.shootMode == 1) {
        target.ApplyShootGamma(false);
    }
}

void Enter(EngineValues& values, int mode, IShootModeTarget& target) {
    values.shootMode = mode;
    if (mode == 0) {
        long gamma = 0;
        if (target.GetGamma(gamma)) {
            values.savedGamma = gamma;
            target.SetGamma(Lifted(gamma));
        } else {
            values.savedGamma = kNoSavedValue;
            target.SetGammaCorrect(true);
        }
        // An exposure that cannot be read keeps the value saved earlier.
        long exposure = 0;
        if (target.GetExposure(exposure)) {
            values.savedExposure = exposure;
            target.SetExposure(kShootModeExposure);
        }
    } else if (mode == 1) {
        target.ApplyShootGamma(true);
    }
}

}  // namespace

int ChangeShootMode(EngineValues& values, int mode, IShootModeTarget& target) {
    if (mode == values.shootMode) return 1;
    Leave(values, target);
    if (static_cast<unsigned>(mode) >= static_cast<unsigned>(kShootModeCount)) return 0;
    Enter(values, mode, target);
    return 1;
}

}  // namespace camera
