#pragma once
// Table-driven colour stages: the fixed gamma correction and the
// brightness / contrast / per-channel gamma adjustment.

#include <cstdint>

#include "kernels/FrameView.h"

namespace vimbrel::effects {

using ChannelTable = uint8_t[256];

// Channel order of every three-table set in this library.
enum Channel : int { kRed = 0, kGreen = 1, kBlue = 2 };

struct ColourAdjustState {
    bool brightnessOn = false;
    bool contrastOn = false;
    bool gammaOn = false;
    int brightnessOffset = 0;  // -128..128, added to luma
    int contrastValue = 0;     // -128..127
    ChannelTable contrastTable;
    float gammaExponent[3] = {1.0f, 1.0f, 1.0f};
    ChannelTable gammaTable[3];
    // Contrast then gamma composed, per channel, as switched on: what the
    // frames go through. Rebuilt by SetGammaAdjustment, never per frame.
    ChannelTable fusedTable[3];

    ColourAdjustState();
};

// Entry i = round(255 x (i / 255)^0.631).
const uint8_t* FixedGammaTable();

// Takes the slider values (0..100, 50 neutral; anything else is clamped) and
// rebuilds the switches and the tables they need.
void SetGammaAdjustment(ColourAdjustState& state, int brightness, int contrast, int gammaRed, int gammaGreen,
                        int gammaBlue);

// Pieces of SetGammaAdjustment, exposed for the white balance and for tests.
void BuildContrastTable(int contrastValue, ChannelTable& table);
void BuildPowerTable(double exponent, double scale, ChannelTable& table);
void BuildIdentityTable(ChannelTable& table);

// Integer BT.601 round trip through YUV with `offset` added to luma.
void BrightnessRoundTrip(uint8_t* bgr, int offset);

// Every pixel's red, green and blue through their own table.
void ApplyChannelTables(const RgbFrame& frame, const uint8_t* red, const uint8_t* green, const uint8_t* blue);
void ApplyFixedGamma(const RgbFrame& frame);

// Brightness, then contrast, then gamma, as switched on. The plain version
// applies the three steps one after another and is what the fused one must
// reproduce.
void ApplyColourAdjust(const RgbFrame& frame, const ColourAdjustState& state);
void ApplyColourAdjustReference(const RgbFrame& frame, const ColourAdjustState& state);

}  // namespace vimbrel::effects
