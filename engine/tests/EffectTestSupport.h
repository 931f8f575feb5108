// The fixture of the effect and shoot-mode tests: the engine started on the
// bench camera's still scene, and the effects filter it holds.
#pragma once

#include "engine/tests/EffectFrames.h"
#include "engine/tests/EngineTestSupport.h"
#include "filters/effects/include/IVideoEffect.h"

#include <utility>

namespace enginetest {

class EffectTest : public EngineTest {
protected:
    // Preview mode at RGB24 320x240; the grabber shows the plain scene.
    void StartPreview();

    // The effects filter the engine's graphs share.
    ComPtr<IVideoEffect> Effect();
    // The filter's effect id and parameter.
    std::pair<int, int> CurrentEffect();

    Frame plain_;
};

// The device-wide gamma and exposure of the bench camera, read past the
// engine through a camera object of the test's own.
long BenchGamma();
long BenchExposure();

}  // namespace enginetest
