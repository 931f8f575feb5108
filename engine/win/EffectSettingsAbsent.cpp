// Built only while the effects filter's interface header is not in the
// tree: no filter can be driven, so every effect call is refused as for a
// filter without the interface.
#include "EffectSettings.h"

namespace camera {

CEffectSettings::CEffectSettings(IBaseFilter*) {}
CEffectSettings::~CEffectSettings() = default;

HRESULT CEffectSettings::SetEffect(int, int) { return E_NOINTERFACE; }
HRESULT CEffectSettings::LoadFrameImage(const wchar_t*) { return E_NOINTERFACE; }
HRESULT CEffectSettings::SetText(const wchar_t*, const TextStyle&) { return E_NOINTERFACE; }
HRESULT CEffectSettings::EnableText(int) { return E_NOINTERFACE; }
HRESULT CEffectSettings::SetZoom(const ZoomSettings&) { return E_NOINTERFACE; }
HRESULT CEffectSettings::SetGammaCorrect(int) { return E_NOINTERFACE; }
HRESULT CEffectSettings::SetGammaAdjustment(const GammaAdjustment&) { return E_NOINTERFACE; }

} // namespace camera
