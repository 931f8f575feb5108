#pragma once
// Vector halves of the neighbourhood stages' row loops. Each does a leading
// part of the row and returns how far it got; the plain loop finishes.
// Only called at a level the processor offers.

#include <cstddef>
#include <cstdint>

namespace vimbrel::effects::spatial {

// Despeckle of channel bytes [3, end) of one row from the row's own bytes
// and the three-row column sums (see Despeckle); returns the first byte not done.
int DespeckleRowSse2(const uint8_t* current, const uint16_t* columnSum, int end, int threshold, uint8_t* out);
// out[i] = a[i] + b[i] + c[i] for the leading whole 16-byte steps of n;
// returns how many were done.
int ColumnSumsAvx2(const uint8_t* a, const uint8_t* b, const uint8_t* c, int n, uint16_t* out);
int DespeckleRowAvx2(const uint8_t* current, const uint16_t* columnSum, int end, int threshold, uint8_t* out);

// Sobel magnitudes |gx| + |gy| of grey columns [1, w - 1), 255 from 255 up,
// into out; `largest` rises to the largest written. Returns the first column not done.
int SobelRowAvx2(const uint8_t* below, const uint8_t* mid, const uint8_t* above, int w, uint8_t* out, int& largest);

// The stretch of edge magnitudes, m -> m x 255 / largest, in float lanes
// when that gives `shown` for every magnitude up to `largest` (checked
// first); returns how many leading bytes it mapped (0 when the check fails).
std::size_t StretchAvx2(uint8_t* magnitude, std::size_t n, int largest, const uint8_t shown[256]);

}  // namespace vimbrel::effects::spatial
