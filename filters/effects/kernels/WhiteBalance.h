#pragma once
// Automatic white balance: estimates channel gains every `period` frames and
// maps every frame through three channel tables built from them.

#include "kernels/ColourTables.h"
#include "kernels/FrameView.h"
#include "kernels/Scratch.h"

namespace vimbrel::effects {

struct WhiteBalanceState {
    int on = 0;            // switch as the caller gave it
    int mode = 0;          // 0: average every pixel; other: only white candidates
    int period = 0;        // frames between two analyses
    int frameCounter = 0;  // 0 on the frames that analyse
    float gain[3] = {1.0f, 1.0f, 1.0f};
    double exponent[3] = {1.0, 1.0, 1.0};
    ChannelTable table[3];

    WhiteBalanceState();
};

// Linear light of each 8-bit sRGB value, rounded to 5 decimals.
const double* SrgbLinearTable();

// Rebuilds gains and tables from this frame. A frame with no usable pixel
// (every candidate rejected) leaves the previous tables as they were and
// returns false.
bool AnalyseWhiteBalance(const RgbFrame& frame, WhiteBalanceState& state, CScratch& scratch);
// The same with the plain candidate search (a mask over the frame, walked
// whole every round); what AnalyseWhiteBalance must match.
bool AnalyseWhiteBalanceReference(const RgbFrame& frame, WhiteBalanceState& state, CScratch& scratch);

// The per-frame stage: analysis when the counter is 0, counter advance, tables.
void RunWhiteBalance(const RgbFrame& frame, WhiteBalanceState& state, CScratch& scratch);
// The same with the tables applied only to `tablesTo`, a part of `frame`
// (the analysis still sees all of it).
void RunWhiteBalance(const RgbFrame& frame, WhiteBalanceState& state, CScratch& scratch, const RgbFrame& tablesTo);

}  // namespace vimbrel::effects
