#pragma once
// The one-colour brush stamp: a shape given by the alpha of a picture,
// painted in the pen colour.
//
// The colour is always applied to the stamp as it was loaded, never to the
// last coloured copy: repainting a copy would take another tenth of its
// alpha at every pen colour change until the stamp faded away, and an
// inverted stamp would be inverted back.

#include "StampTransform.h"

#include <cstdint>

namespace vimbrel::canvas {

// Not inverted: every pixel with alpha above 0 takes the colour's red, green
// and blue and 9/10 of its own alpha (truncated); clear pixels stay.
// Inverted: the shape becomes a hole: its pixels turn fully transparent and
// the clear pixels take the colour with alpha 230.
StampPixels RecolouredBrushStamp(const StampPixels& loaded, uint32_t argbColour, bool inverted);

// The pen colour of a COLORREF (0x00BBGGRR) as opaque 0xAARRGGBB.
uint32_t OpaqueArgbOf(uint32_t colorref);

}  // namespace vimbrel::canvas
