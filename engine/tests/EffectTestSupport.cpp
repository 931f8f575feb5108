#include "engine/tests/EffectTestSupport.h"

#include "engine/win/CaptureEngineState.h"

namespace enginetest {

void EffectTest::StartPreview() {
    ASSERT_EQ(1, Start(0, 0));
    plain_ = StillScene(bench_.Get());
    ASSERT_FALSE(plain_.empty());
    ASSERT_TRUE(GrabbedFrameBecomes(plain_)) << "the preview does not show the plain scene";
}

ComPtr<IVideoEffect> EffectTest::Effect() {
    ComPtr<IVideoEffect> effect;
    camera::QueryTo(camera::Engine().effect.Get(), IID_IVideoEffect, effect);
    return effect;
}

std::pair<int, int> EffectTest::CurrentEffect() {
    int id = -100;
    int param = -100;
    if (ComPtr<IVideoEffect> effect = Effect()) effect->GetEffect(&id, &param);
    return {id, param};
}

namespace {

template <class Control>
long ReadBenchControl(REFIID iid, long property) {
    ComPtr<IBaseFilter> camera;
    ComPtr<Control> control;
    long value = -1000;
    long flags = 0;
    if (SUCCEEDED(CoCreateInstance(CLSID_BenchCamera, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                   reinterpret_cast<void**>(camera.GetAddressOf()))) &&
        SUCCEEDED(camera::QueryTo(camera.Get(), iid, control)))
        control->Get(property, &value, &flags);
    return value;
}

}  // namespace

long BenchGamma() { return ReadBenchControl<IAMVideoProcAmp>(IID_IAMVideoProcAmp, VideoProcAmp_Gamma); }

long BenchExposure() { return ReadBenchControl<IAMCameraControl>(IID_IAMCameraControl, CameraControl_Exposure); }

}  // namespace enginetest
