#pragma once
// Stages that combine or move pixels: despeckle, the neighbourhood effects
// (ids 10, 11, 16, 17, 18, 19, 20, 21 and 26). Each works in place; those that
// need the incoming picture take one scratch copy first.

#include "kernels/FrameView.h"
#include "kernels/RandomSource.h"
#include "kernels/Scratch.h"
#include "kernels/TileRunner.h"

namespace vimbrel::effects {

// Inner pixels whose channel lies within `threshold` of the mean of its eight
// neighbours take that mean; the border stays.
void Despeckle(const RgbFrame& frame, int threshold, CScratch& scratch);

void Blur(const RgbFrame& frame);
// Column by column, every case through the general rule; Blur must match it.
void BlurPlain(const RgbFrame& frame);
void Sharpen(const RgbFrame& frame);
void Emboss(const RgbFrame& frame);
// One pixel at a time; what Emboss must match.
void EmbossPlain(const RgbFrame& frame);
// Blocks of 3, 6, 12 or 24 pixels by frame-size class.
void Mosaic(const RgbFrame& frame, int sizeClass);
// Block by block; what Mosaic must match.
void MosaicPlain(const RgbFrame& frame, int sizeClass);
void EdgeDetect(const RgbFrame& frame, CScratch& scratch);
// Pixel k of the walk takes the pixel displaced by the pair at offsets[2k],
// offsets[2k + 1] (the table wraps).
void Jitter(const RgbFrame& frame, const int* offsets, int count, CScratch& scratch);
// Right half becomes the mirror image of the left half.
void MirrorHalves(const RgbFrame& frame);

struct KaleidoscopeState {
    float x = 0.0f;
    float y = 0.0f;
    float vx = 0.0f;
    float vy = 0.0f;
};

// Side of the wandering window: half the width, but never as tall as the
// frame, so a position always exists; 0 when the frame is too small.
int KaleidoscopeWindow(int width, int height);

// Moves the window by its speeds (drawing new ones at the edges) and folds it
// eightfold over the frame. parameter 1 replaces the central circle too.
void Kaleidoscope(const RgbFrame& frame, KaleidoscopeState& state, int parameter, int speedDivisor,
                  IRandomSource& random, CScratch& scratch);

// Oil painting on a 4 x 4 grid of tiles for frames above 400 x 300, else 2 x 2.
void OilPainting(const RgbFrame& frame, ITileRunner& runner, CScratch& scratch);
// One tile after another, a cleared histogram per point; what OilPainting
// must match.
void OilPaintingReference(const RgbFrame& frame, CScratch& scratch);
int OilPaintingDivisions(int width, int height);

}  // namespace vimbrel::effects
