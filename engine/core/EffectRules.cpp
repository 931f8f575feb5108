#include "engine/core/EffectRules.h"

#include <cmath>

namespace camera {

bool IsUsableZoomFactor(float factor) { return std::isfinite(factor) && factor >= 1.0f; }

ZoomSettings ZoomSettingsFor(float factor, int mirror) {
    return ZoomSettings{factor > 1.0f ? 1 : 0, kEngineZoomMethod, factor, 0, mirror};
}

TextStyle DateTextStyle() { return TextStyle{0, 235, 172, 25, u"Arial"}; }

GammaAdjustment ShootGammaAdjustment(bool on) {
    if (on) return GammaAdjustment{50, 50, 53, 50, 47};
    return GammaAdjustment{50, 50, 50, 50, 50};
}

}  // namespace camera
