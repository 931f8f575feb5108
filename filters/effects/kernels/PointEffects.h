#pragma once
// Effects that change each pixel from its own value (ids 1-9 and 13-15), and
// the sepia tone with its vignette (12), which adds only the pixel's position.

#include "kernels/FrameView.h"
#include "kernels/Scratch.h"

namespace vimbrel::effects {

void KeepRedOnly(const RgbFrame& frame);
void KeepGreenOnly(const RgbFrame& frame);
void KeepBlueOnly(const RgbFrame& frame);
void DropRed(const RgbFrame& frame);
void DropBlue(const RgbFrame& frame);
void DropGreen(const RgbFrame& frame);
void Negative(const RgbFrame& frame);
void Darken(const RgbFrame& frame);
void Grey(const RgbFrame& frame);
// Grey pixel by pixel; what Grey must match.
void GreyReference(const RgbFrame& frame);
void Posterize(const RgbFrame& frame);
void ClearText(const RgbFrame& frame);
// Clear text pixel by pixel in plain int arithmetic; what ClearText must match.
void ClearTextReference(const RgbFrame& frame);
void BlackWhite(const RgbFrame& frame, CScratch& scratch);
void Sepia(const RgbFrame& frame);
// Sepia pixel by pixel with a square root each; what Sepia must match.
void SepiaReference(const RgbFrame& frame);

// The grey every effect of this family uses: (30 R + 59 G + 11 B) / 100.
inline int GreyOf(const uint8_t* bgr) { return (30 * bgr[2] + 59 * bgr[1] + 11 * bgr[0]) / 100; }

// Applies effect ids 1-9 and 12-15; false for every other id.
bool ApplyPointEffect(const RgbFrame& frame, int effectId, CScratch& scratch);

}  // namespace vimbrel::effects
