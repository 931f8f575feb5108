// One use of the effects filter's settings interface: queried from the
// filter afresh and released when this object goes, so that the engine
// holds no reference into the filter between calls. Only the matching
// source file depends on the filter's interface header.
#pragma once

#include "engine/win/ComHelpers.h"
#include "engine/core/EffectRules.h"

namespace camera {

class CEffectSettings {
public:
    explicit CEffectSettings(IBaseFilter* effect);
    ~CEffectSettings();
    CEffectSettings(const CEffectSettings&) = delete;
    CEffectSettings& operator=(const CEffectSettings&) = delete;

    // Whether a filter was given and it answers the settings interface.
    bool Available() const { return static_cast<bool>(settings_); }

    // Each gives E_NOINTERFACE when the interface is not available, else
    // the filter's own result.
    HRESULT SetEffect(int effectId, int param);
    // The photo frame from an image file.
    HRESULT LoadFrameImage(const wchar_t* path);
    HRESULT SetText(const wchar_t* text, const TextStyle& style);
    HRESULT EnableText(int on);
    HRESULT SetZoom(const ZoomSettings& zoom);
    HRESULT SetGammaCorrect(int on);
    HRESULT SetGammaAdjustment(const GammaAdjustment& adjustment);

private:
    // Holds the settings interface itself (queried by its id).
    ComPtr<IUnknown> settings_;
};

}  // namespace camera
