// The effect calls of the flat API. The effects filter keeps its settings
// itself and is the same object in every graph the engine builds, so a
// setting made here survives every rebuild; the engine keeps only the
// zoom factor and the mirror flag, which travel together to the filter.
#include "engine/win/EffectExports.h"

#include "engine/include/CameraApi.h"
#include "engine/win/EffectSettingsQuery.h"
#include "engine/win/ExportGuard.h"
#include "failtrail/FailTrail.h"

namespace camera {

namespace {

// 1 when the filter took the call; 0 without a filter (no graph built
// yet), without its settings interface, or when it refused.
template <class Call>
int WithEffectSettings(CaptureEngineState& state, Call call) {
    CEffectSettings settings(state.effect.Get());
    if (!settings.Available()) return 0;
    return SUCCEEDED(call(settings)) ? 1 : 0;
}

// The calls that wait for Initialize.
template <class Body>
int WhenReady(Body body) {
    return GuardedExport([&] {
        CaptureEngineState& state = Engine();
        return state.values.ready ? body(state) : 0;
    });
}

// The zoom and the mirror reach the filter together, as the engine keeps
// them.
HRESULT SendZoom(CEffectSettings& settings, const EngineValues& values) {
    return settings.SetZoom(ZoomSettingsFor(values.zoomFactor, values.mirror));
}

HRESULT ShowFrame(CEffectSettings& settings, const wchar_t* path) {
    if (path == nullptr) return settings.SetEffect(kEffectNone, 0);
    RETURN_IF_FAILED(settings.LoadFrameImage(path));
    return settings.SetEffect(kEffectPhotoFrame, 1);
}

}  // namespace

int ApplyShootGamma(CaptureEngineState& state, bool on) {
    if (!state.values.ready) return 0;
    return WithEffectSettings(
        state, [on](CEffectSettings& settings) { return settings.SetGammaAdjustment(ShootGammaAdjustment(on)); });
}

}  // namespace camera

using namespace camera;

CAMERA_API int CAMERA_CALL SetEffect(int effectId) {
    return WhenReady([=](CaptureEngineState& state) {
        return WithEffectSettings(
            state, [=](CEffectSettings& settings) { return settings.SetEffect(EffectIdToSend(effectId), 0); });
    });
}

CAMERA_API int CAMERA_CALL SetFrame(const wchar_t* path) {
    return WhenReady([=](CaptureEngineState& state) {
        return WithEffectSettings(state, [=](CEffectSettings& settings) { return ShowFrame(settings, path); });
    });
}

CAMERA_API int CAMERA_CALL SetText(const wchar_t* text) {
    return WhenReady([=](CaptureEngineState& state) {
        if (text == nullptr) return 0;
        return WithEffectSettings(state,
                                  [=](CEffectSettings& settings) { return settings.SetText(text, DateTextStyle()); });
    });
}

CAMERA_API int CAMERA_CALL EnableText(int on) {
    return WhenReady([=](CaptureEngineState& state) {
        return WithEffectSettings(state, [=](CEffectSettings& settings) { return settings.EnableText(on); });
    });
}

CAMERA_API int CAMERA_CALL Zoom(float factor) {
    return WhenReady([=](CaptureEngineState& state) {
        if (!IsUsableZoomFactor(factor)) return 0;
        std::lock_guard<std::mutex> hold(state.zoomLock);
        // Kept even when no filter takes it yet: the mirror call sends it
        // along later.
        state.values.zoomFactor = factor;
        return WithEffectSettings(state, [&](CEffectSettings& settings) { return SendZoom(settings, state.values); });
    });
}

// Not gated by Initialize: without a graph there is no filter, and the
// flag is only kept once a filter has taken it.
CAMERA_API int CAMERA_CALL SetMirrorMode(int mirror) {
    return GuardedExport([=] {
        CaptureEngineState& state = Engine();
        std::lock_guard<std::mutex> hold(state.zoomLock);
        CEffectSettings settings(state.effect.Get());
        if (!settings.Available()) return 0;
        state.values.mirror = mirror;
        return SUCCEEDED(SendZoom(settings, state.values)) ? 1 : 0;
    });
}

CAMERA_API int CAMERA_CALL SetGammaCorrect(int on) {
    return WhenReady([=](CaptureEngineState& state) {
        return WithEffectSettings(state, [=](CEffectSettings& settings) { return settings.SetGammaCorrect(on); });
    });
}

// Nothing of a face reaches the filter: the call only answers whether the
// number is one and a filter is there.
CAMERA_API int CAMERA_CALL SetFace(int face) {
    return WhenReady([=](CaptureEngineState& state) {
        if (!IsFaceInRange(face)) return 0;
        return CEffectSettings(state.effect.Get()).Available() ? 1 : 0;
    });
}
