// The shoot modes: numbers the main program chooses, of which the engine
// gives two a meaning. Mode 0 lifts the camera's gamma (or, on a camera
// without one, switches the filter's gamma correction on) and opens the
// exposure; mode 1 tints the picture in the effects filter. Leaving a mode
// undoes what entering it did.
#pragma once

#include "engine/core/EngineValues.h"

namespace camera {

constexpr int kShootModeCount = 7;
constexpr long kNoSavedValue = -1;

constexpr long kGammaLift = 5;
constexpr long kShootModeExposure = 70;
// What leaving mode 0 sets the exposure to, whatever it was before.
constexpr long kRestoredExposure = 50;

// The camera and filter settings a shoot mode touches, through the
// engine's own exports (which keep their own refusals).
class IShootModeTarget {
public:
    virtual ~IShootModeTarget() = default;
    virtual bool GetGamma(long& value) = 0;
    virtual bool SetGamma(long value) = 0;
    virtual bool GetExposure(long& value) = 0;
    virtual bool SetExposure(long value) = 0;
    virtual bool SetGammaCorrect(bool on) = 0;
    virtual bool ApplyShootGamma(bool on) = 0;
};

// 1 when the mode is the current one or was entered; 0 for a number
// outside 0..6, after the current mode has been left (callers rely on
// that: an unknown mode switches the special ones off).
int ChangeShootMode(EngineValues& values, int mode, IShootModeTarget& target);

}  // namespace camera
