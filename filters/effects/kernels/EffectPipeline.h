#pragma once
// The per-frame pipeline: every stage the settings switch on, in the filter's
// fixed order, on one frame in place. What needs a device context (the
// stretch zoom, the overlays, the clock's text) is done by the host.

#include "kernels/EffectSettings.h"
#include "kernels/FlipZoom.h"
#include "kernels/FrameRateMeter.h"
#include "kernels/FrameView.h"
#include "kernels/RandomSource.h"
#include "kernels/Scratch.h"
#include "kernels/TileRunner.h"

namespace vimbrel::effects {

class IEffectHost {
public:
    virtual ~IEffectHost() = default;
    // The frame size changed (already stored): re-render the saved overlay
    // text and reload the saved photo frame when they are shown.
    virtual void FrameSizeChanged() = 0;
    virtual TimeOfDay Now() = 0;
    // Shows a measured frame rate ("25.00") in the text overlay.
    virtual void ShowFrameRateText(const char16_t* text) = 0;
    // Stretches the crop over the whole frame (zoom method 3).
    virtual void StretchZoom(const RgbFrame& frame, const ZoomCrop& crop) = 0;
    // Lays the photo frame and the text overlay over the picture.
    virtual void Compose(const RgbFrame& frame) = 0;
    virtual ITileRunner& Tiles() = 0;
    virtual IRandomSource& Random() = 0;
    // Working memory kept from frame to frame.
    virtual CScratch& Scratch() = 0;
};

// Runs the pipeline; returns how many stages were skipped because their
// scratch memory could not be had (the frame then shows the stage left out).
int RunEffectPipeline(CEffectSettings& settings, const RgbFrame& frame, IEffectHost& host);

// Step 9 alone: the selected effect, if it has a pixel stage.
void ApplySelectedEffect(CEffectSettings& settings, const RgbFrame& frame, IEffectHost& host);

}  // namespace vimbrel::effects
