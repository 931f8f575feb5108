// The graph builds' view of the effects filter, through the same settings
// access as the effect calls.
#include "engine/win/EffectFilterAccess.h"

#include "engine/win/EffectSettingsQuery.h"

namespace camera {

bool HasVideoEffect(IBaseFilter* effect) { return CEffectSettings(effect).Available(); }

HRESULT ShowPlainPicture(IBaseFilter* effect) { return CEffectSettings(effect).SetEffect(kEffectPlainPicture, 0); }

}  // namespace camera
