#include "engine/win/EffectSettingsQuery.h"

#include "filters/effects/include/IVideoEffect.h"

namespace camera {

namespace {

// settings holds what QueryInterface gave for IID_IVideoEffect.
template <class... Parameters, class... Arguments>
HRESULT Call(const ComPtr<IUnknown>& settings, HRESULT (STDMETHODCALLTYPE IVideoEffect::*method)(Parameters...),
             Arguments... arguments) {
    if (!settings) return E_NOINTERFACE;
    return (static_cast<IVideoEffect*>(settings.Get())->*method)(arguments...);
}

const WCHAR* AsWide(const char16_t* text) {
    static_assert(sizeof(WCHAR) == sizeof(char16_t), "Windows wide strings are UTF-16");
    return reinterpret_cast<const WCHAR*>(text);
}

}  // namespace

CEffectSettings::CEffectSettings(IBaseFilter* effect) {
    ComPtr<IVideoEffect> settings;
    if (SUCCEEDED(QueryTo(effect, IID_IVideoEffect, settings))) settings_ = settings;
}

CEffectSettings::~CEffectSettings() = default;

HRESULT CEffectSettings::SetEffect(int effectId, int param) {
    return Call(settings_, &IVideoEffect::SetEffect, effectId, param);
}

HRESULT CEffectSettings::LoadFrameImage(const wchar_t* path) {
    return Call(settings_, &IVideoEffect::LoadFrameImage, path, 0, 0, static_cast<int>(VIDEO_FRAME_FROM_FILE), nullptr,
                nullptr);
}

HRESULT CEffectSettings::SetText(const wchar_t* text, const TextStyle& style) {
    return Call(settings_, &IVideoEffect::SetText, text, style.sizeStep, style.red, style.green, style.blue,
                AsWide(style.fontName));
}

HRESULT CEffectSettings::EnableText(int on) { return Call(settings_, &IVideoEffect::EnableText, on); }

HRESULT CEffectSettings::SetZoom(const ZoomSettings& zoom) {
    return Call(settings_, &IVideoEffect::SetZoom, zoom.enable, zoom.method, zoom.factor, zoom.flipVertical,
                zoom.mirror);
}

HRESULT CEffectSettings::SetGammaCorrect(int on) { return Call(settings_, &IVideoEffect::SetGammaCorrect, on); }

HRESULT CEffectSettings::SetGammaAdjustment(const GammaAdjustment& adjustment) {
    return Call(settings_, &IVideoEffect::SetGammaAdjustment, adjustment.brightness, adjustment.contrast,
                adjustment.gammaRed, adjustment.gammaGreen, adjustment.gammaBlue);
}

}  // namespace camera
