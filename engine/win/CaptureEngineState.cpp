#include "engine/win/CaptureEngineState.h"

namespace camera {

namespace {
CaptureEngineState* g_engine = nullptr;
}

CaptureEngineState& Engine() {
    if (g_engine == nullptr) g_engine = new CaptureEngineState;
    return *g_engine;
}

void DestroyEngine() {
    delete g_engine;
    g_engine = nullptr;
}

void ReleaseEngineObjects(CaptureEngineState& state) {
    // Graphs before filters: a graph still holding a filter would keep it
    // alive past the reset anyway, but this order releases each once.
    state.playbackGraph.Reset();
    state.previewControl.Reset();
    state.previewBuilder.Reset();
    state.previewGraph.Reset();
    state.audioBuilder.Reset();
    state.audioGraph.Reset();
    state.monitorControl.Reset();
    state.monitorGraph.Reset();

    state.cameraControl.Reset();
    state.microphoneMixer.Reset();
    state.audioFileMux.Reset();
    state.audioFileSink.Reset();
    state.videoCapture.Reset();
    state.audioCapture.Reset();
    state.effect.Reset();
    state.motion.Reset();
    state.smartTee.Reset();
    state.aviMux.Reset();
    state.fileWriter.Reset();
    state.asfWriter.Reset();
    state.audioControl.Reset();
    state.grabber.Reset();
    state.grabberFilter.Reset();
    state.dsoundRenderer.Reset();

    state.videoDevices.Clear();
    state.audioDevices.Clear();
    state.videoFormats.Clear();
    {
        std::lock_guard<std::mutex> hold(state.burstLock);
        state.burst.Clear();
    }
    state.playbackDuration = 0;
    state.attachedVideoWindow = nullptr;
    state.monitorNotifyWindow = nullptr;
    state.values.ForgetDevicesAndGraphs();
}

}  // namespace camera
