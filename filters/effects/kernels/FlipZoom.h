#pragma once
// Flips and the centred digital zoom (nearest, bilinear, bicubic), plus the
// crop geometry the device-context stretch of the Windows layer uses.

#include "kernels/FrameView.h"

namespace vimbrel::effects {

// The centred part of the source that a zoom by `factor` shows.
struct ZoomCrop {
    float scale = 1.0f;  // 1 / factor
    int x0 = 0;
    int y0 = 0;
    int width = 0;
    int height = 0;
};

// A factor below 1 would crop more than the frame holds, and NaN or infinity
// would turn every coordinate into garbage: both zoom by 1 instead.
float UsableZoomFactor(float factor);
ZoomCrop ComputeZoomCrop(int width, int height, float factor);

// The part of the frame a zoom by `method` (0 nearest, 1 bilinear, 2 bicubic)
// reads; the zoom overwrites every pixel, so outside this part a stage
// before it is lost work. Any other method: the whole frame.
PixelArea ZoomSourceArea(const RgbFrame& frame, int method, float factor, bool flipVertical, bool mirror);

// flipVertical: rows reversed; mirror: every row reversed; both: half turn.
void FlipFrame(const RgbFrame& frame, bool flipVertical, bool mirror);

// The zooms the filter runs: row functions, vectorised where the processor
// allows, that give the plain versions below byte for byte. The nearest
// keeps its tables in the scratch for the next frame.
void ZoomNearest(const RgbFrame& frame, float factor, bool flipVertical, bool mirror, CScratch& scratch);
void ZoomBilinear(const RgbFrame& frame, float factor, bool flipVertical, bool mirror, CScratch& scratch);
void ZoomBicubic(const RgbFrame& frame, float factor, bool flipVertical, bool mirror, CScratch& scratch);

// The same zooms one pixel and channel at a time, each in single-precision
// float as written: the nearest copies every pixel from its source pixel;
// the bilinear copies or blends one way where an output pixel lands on a
// source column or row; the bicubic blends four source rows per output row,
// then four of those per pixel.
void ZoomNearestPlain(const RgbFrame& frame, float factor, bool flipVertical, bool mirror, CScratch& scratch);
void ZoomBilinearPlain(const RgbFrame& frame, float factor, bool flipVertical, bool mirror, CScratch& scratch);
void ZoomBicubicPlain(const RgbFrame& frame, float factor, bool flipVertical, bool mirror, CScratch& scratch);
// Straight 16-tap sum per pixel in double precision; the separable versions
// above agree with it to within one level.
void ZoomBicubicReference(const RgbFrame& frame, float factor, bool flipVertical, bool mirror, CScratch& scratch);

// The cubic B-spline weight with the filter's 0.167 in place of 1/6.
double CubicWeight(double t);

}  // namespace vimbrel::effects
