#include "EffectSettings.h"

#include "IVideoEffect.h"

namespace camera {

namespace {

IVideoEffect* AsVideoEffect(const ComPtr<IUnknown>& settings)
{
    // Holds what QueryInterface gave for IID_IVideoEffect.
    return static_cast<IVideoEffect*>(settings.Get());
}

const WCHAR* AsWide(const char16_t* text)
{
    static_assert(sizeof(WCHAR) == sizeof(char16_t), "Windows wide strings are UTF-16");
    return reinterpret_cast<const WCHAR*>(text);
}

} // namespace

CEffectSettings::CEffectSettings(IBaseFilter* effect)
{
    ComPtr<IVideoEffect> settings;
    if (SUCCEEDED(QueryTo(effect, IID_IVideoEffect, settings)))
        settings_ = settings;
}

CEffectSettings::~CEffectSettings() = default;

HRESULT CEffectSettings::SetEffect(int effectId, int param)
{
    if (!settings_)
        return E_NOINTERFACE;
    return AsVideoEffect(settings_)->SetEffect(effectId, param);
}

HRESULT CEffectSettings::LoadFrameImage(const wchar_t* path)
{
    if (!settings_)
        return E_NOINTERFACE;
    return AsVideoEffect(settings_)->LoadFrameImage(path, 0, 0, VIDEO_FRAME_FROM_FILE, nullptr, nullptr);
}

HRESULT CEffectSettings::SetText(const wchar_t* text, const TextStyle& style)
{
    if (!settings_)
        return E_NOINTERFACE;
    return AsVideoEffect(settings_)->SetText(text, style.sizeStep, style.red, style.green, style.blue,
                                             AsWide(style.fontName));
}

HRESULT CEffectSettings::EnableText(int on)
{
    if (!settings_)
        return E_NOINTERFACE;
    return AsVideoEffect(settings_)->EnableText(on);
}

HRESULT CEffectSettings::SetZoom(const ZoomSettings& zoom)
{
    if (!settings_)
        return E_NOINTERFACE;
    return AsVideoEffect(settings_)->SetZoom(zoom.enable, zoom.method, zoom.factor, zoom.flipVertical, zoom.mirror);
}

HRESULT CEffectSettings::SetGammaCorrect(int on)
{
    if (!settings_)
        return E_NOINTERFACE;
    return AsVideoEffect(settings_)->SetGammaCorrect(on);
}

HRESULT CEffectSettings::SetGammaAdjustment(const GammaAdjustment& adjustment)
{
    if (!settings_)
        return E_NOINTERFACE;
    return AsVideoEffect(settings_)->SetGammaAdjustment(adjustment.brightness, adjustment.contrast,
                                                        adjustment.gammaRed, adjustment.gammaGreen,
                                                        adjustment.gammaBlue);
}

} // namespace camera
