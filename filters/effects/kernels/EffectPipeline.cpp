#include "kernels/EffectPipeline.h"

#include <algorithm>
#include <new>

#include "kernels/ColourTables.h"
#include "kernels/PointEffects.h"
#include "kernels/SpatialEffects.h"
#include "kernels/WhiteBalance.h"

namespace vimbrel::effects {
namespace {

// Stages allocate their scratch before they write, so one that cannot get
// memory leaves the frame as it found it and the rest of the chain runs.
template <typename Stage>
void RunStage(int& skipped, Stage&& stage) {
    try {
        stage();
    } catch (const std::bad_alloc&) {
        ++skipped;
    }
}

void FrameRateStep(CEffectSettings& s, IEffectHost& host) {
    double fps = 0.0;
    if (!s.frameRate.Step(host.Now(), fps)) {
        return;
    }
    char16_t text[32];
    FormatFrameRate(fps, text, 32);
    host.ShowFrameRateText(text);
    s.textOn = 1;
}

// The white balance's tables over the frame outside `inner`.
void ApplyTablesAround(const RgbFrame& frame, const PixelArea& inner, const WhiteBalanceState& wb) {
    const auto apply = [&](int x0, int y0, int width, int height) {
        if (width > 0 && height > 0) {
            ApplyChannelTables(PartOf(frame, PixelArea{x0, y0, width, height}), wb.table[kRed], wb.table[kGreen],
                               wb.table[kBlue]);
        }
    };
    const int below = inner.y0, above = inner.y0 + inner.height;
    apply(0, 0, frame.width, below);
    apply(0, above, frame.width, frame.height - above);
    apply(0, below, inner.x0, inner.height);
    apply(inner.x0 + inner.width, below, frame.width - inner.x0 - inner.width, inner.height);
}

void ZoomAndFlip(const CEffectSettings& s, const RgbFrame& frame, IEffectHost& host) {
    const ZoomSettings& z = s.zoom;
    CScratch& scratch = host.Scratch();
    const bool flipV = z.flipVertical != 0, mirror = z.mirror != 0;
    if (z.enable == 0) {
        if (flipV || mirror) {
            FlipFrame(frame, flipV, mirror);
        }
        return;
    }
    switch (z.method) {
    case 0: ZoomNearest(frame, z.factor, flipV, mirror, scratch); break;
    case 1: ZoomBilinear(frame, z.factor, flipV, mirror, scratch); break;
    case 2: ZoomBicubic(frame, z.factor, flipV, mirror, scratch); break;
    case 3: {
        if (flipV || mirror) {
            FlipFrame(frame, flipV, mirror);
        }
        const ZoomCrop crop = ComputeZoomCrop(frame.width, frame.height, z.factor);
        // Stretching the whole frame onto itself is a copy; skip the round trip.
        if (crop.width != frame.width || crop.height != frame.height) {
            host.StretchZoom(frame, crop);
        }
        break;
    }
    default: break;
    }
}

}  // namespace

void ApplySelectedEffect(CEffectSettings& s, const RgbFrame& frame, IEffectHost& host) {
    const int effect = EffectIdOf(s.controlId);
    CScratch& scratch = host.Scratch();
    if (ApplyPointEffect(frame, effect, scratch)) {
        return;
    }
    switch (effect) {
    case kEffectBlur: Blur(frame); break;
    case kEffectSharpen: Sharpen(frame); break;
    case kEffectEmboss: Emboss(frame); break;
    case kEffectMosaic: Mosaic(frame, s.sizeClass); break;
    case kEffectEdgeDetect: EdgeDetect(frame, scratch); break;
    case kEffectJitter: Jitter(frame, s.jitter.data(), kJitterCount, scratch); break;
    case kEffectKaleidoscope:
        Kaleidoscope(frame, s.kaleidoscope, s.parameter, s.speedDivisor[std::clamp(s.sizeClass, 0, 3)], host.Random(),
                     scratch);
        break;
    case kEffectOilPainting: OilPainting(frame, host.Tiles(), scratch); break;
    case kEffectMirror: MirrorHalves(frame); break;
    default: break;  // photo frame, none, and unknown ids have no pixel stage
    }
}

int RunEffectPipeline(CEffectSettings& s, const RgbFrame& frame, IEffectHost& host) {
    int skipped = 0;
    if (frame.Empty()) {
        return skipped;
    }
    if (s.UpdateFrameSize(frame.width, frame.height)) {
        host.FrameSizeChanged();
        if (s.controlId == ControlIdOf(kEffectKaleidoscope)) {
            s.ResetKaleidoscope(host.Random());
        }
    }
    if (s.frameRateOn) {
        FrameRateStep(s, host);
    }
    if (s.gammaCorrectOn) {
        ApplyFixedGamma(frame);
    }
    if (s.colour.brightnessOn || s.colour.contrastOn || s.colour.gammaOn) {
        ApplyColourAdjust(frame, s.colour);
    }
    // Before a zoom of ours, the white balance maps only the part the zoom
    // reads: the zoom overwrites the rest. Should the zoom fail, the rest
    // is mapped after all, so the frame never shows half of the balance.
    PixelArea balanced{0, 0, frame.width, frame.height};
    bool balancedPart = false;
    if (s.whiteBalance.on) {
        const int before = skipped;
        RunStage(skipped, [&] {
            if (s.zoom.enable != 0) {
                balanced = ZoomSourceArea(frame, s.zoom.method, s.zoom.factor, s.zoom.flipVertical != 0,
                                          s.zoom.mirror != 0);
            }
            RunWhiteBalance(frame, s.whiteBalance, host.Scratch(), PartOf(frame, balanced));
        });
        balancedPart = skipped == before;
    }
    const int skippedBeforeZoom = skipped;
    RunStage(skipped, [&] { ZoomAndFlip(s, frame, host); });
    if (skipped != skippedBeforeZoom && balancedPart) {
        ApplyTablesAround(frame, balanced, s.whiteBalance);
    }
    if (s.despeckleOn) {
        RunStage(skipped, [&] { Despeckle(frame, 15, host.Scratch()); });
    }
    RunStage(skipped, [&] { ApplySelectedEffect(s, frame, host); });
    if (s.textOn || s.AnyFeatureFlag() || s.controlId == ControlIdOf(kEffectPhotoFrame)) {
        host.Compose(frame);
    }
    return skipped;
}

}  // namespace vimbrel::effects
