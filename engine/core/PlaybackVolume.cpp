#include "engine/core/PlaybackVolume.h"

#include <cmath>

namespace camera {

bool RendererVolumeFor(double volume, long* rendererValue) {
    if (rendererValue == nullptr || !std::isfinite(volume)) return false;
    const double attenuation = std::pow(10.0, 4.0 * (1.0 - volume));
    // Checked before the conversion: beyond the renderer's range the
    // double may not even fit into a long.
    if (!(attenuation < -static_cast<double>(kRendererSilence) + 1.0)) return false;
    *rendererValue = -static_cast<long>(std::trunc(attenuation));
    return true;
}

bool PlaybackVolumeFor(long rendererValue, double* volume) {
    if (volume == nullptr || rendererValue > 0) return false;
    if (rendererValue == 0) {
        *volume = 1.0;
        return true;
    }
    *volume = 1.0 - std::log10(-static_cast<double>(rendererValue)) / 4.0;
    return true;
}

}  // namespace camera
