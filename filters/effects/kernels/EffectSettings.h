#pragma once
// The effect filter's settings record and the rules its settings interface
// applies to it. The COM layer holds one of these under its lock and adds
// only what needs Windows (the overlay bitmaps).

#include <array>

#include "kernels/ColourTables.h"
#include "kernels/EffectIds.h"
#include "kernels/FrameRateMeter.h"
#include "kernels/RandomSource.h"
#include "kernels/SpatialEffects.h"
#include "kernels/WhiteBalance.h"

namespace vimbrel::effects {

constexpr int kJitterCount = 10000;
constexpr int kSavedTextChars = 260;  // with the terminator
constexpr int kFeatureFlagCount = 7;

struct ZoomSettings {
    int enable = 0;
    int flipVertical = 0;
    int mirror = 0;
    int method = 3;  // 0 nearest, 1 bilinear, 2 bicubic, 3 device-context stretch
    float factor = 1.0f;
};

class CEffectSettings {
public:
    // Settings interface rules (the lock is the caller's).
    void SetEffect(int effectId, int parameter, IRandomSource& random);
    void GetEffect(int& effectId, int& parameter) const;
    void SetZoom(int enable, int method, float factor, int flipVertical, int mirror);
    void ShowFps(int on);
    void SetAutoWhiteBalance(int on, int mode, int period);
    // 0 white balance, 1 despeckle, 2 frame-rate text, 3..8 and 10 the
    // feature flags; anything else 0.
    int FeatureState(int index) const;
    bool AnyFeatureFlag() const;

    // Starts the window at the corner with fresh speeds for this frame size.
    void ResetKaleidoscope(IRandomSource& random);

    // Keeps the text for re-rendering after a size change; a longer text is
    // cut to the 259 characters the record holds.
    void SaveOverlayText(const char16_t* text);
    // Keeps the path for reloading; false (and nothing kept) when it does not
    // fit the record, since a cut path would name another file.
    bool SaveFramePath(const char16_t* path);

    // Stores a new frame size and its class; true when it differs from the last.
    bool UpdateFrameSize(int width, int height);

    int controlId = ControlIdOf(kEffectNone);
    int parameter = 0;
    std::array<int, kJitterCount> jitter{};
    ZoomSettings zoom;
    KaleidoscopeState kaleidoscope;
    int speedDivisor[4] = {40, 20, 10, 5};
    char16_t savedText[kSavedTextChars] = {};
    char16_t savedPath[kSavedTextChars] = {};
    int frameHeight = 480;
    int frameWidth = 640;
    int sizeClass = 2;
    CFrameRateMeter frameRate;
    int frameRateOn = 0;
    int gammaCorrectOn = 0;
    ColourAdjustState colour;
    WhiteBalanceState whiteBalance;
    int despeckleOn = 0;
    int textOn = 0;
    int featureFlags[kFeatureFlagCount] = {};
};

}  // namespace vimbrel::effects
