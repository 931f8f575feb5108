// The playback volume as the caller sees it (0 silent .. 1 loudest) and as
// the audio renderer takes it (hundredths of a decibel, -10000 .. 0). The
// two meet on a logarithmic scale: the renderer value is -T with
// T = 10^(4 (1 - volume)) truncated, so 1.0 is -1, 0.5 is -100, 0.0 is
// -10000; read back, volume = 1 - log10(-value) / 4.
#pragma once

namespace camera {

constexpr long kRendererSilence = -10000;

// The renderer value for a caller's volume. False for a volume that is not
// a finite number, or one so far below 0 that the value would lie beneath
// the renderer's silence (it would refuse it anyway). A volume above 1 maps
// to 0, the renderer's loudest.
bool RendererVolumeFor(double volume, long* rendererValue);

// The caller's volume for a renderer value. A value of exactly 0 is above
// anything the engine sets (its loudest is -1) and reads as 1.0; a positive
// value is not a renderer volume at all and is refused.
bool PlaybackVolumeFor(long rendererValue, double* volume);

}  // namespace camera
