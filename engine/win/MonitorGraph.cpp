#include "engine/win/MonitorGraph.h"

#include "engine/win/EffectFilterAccess.h"
#include "engine/win/EngineMessages.h"
#include "engine/win/FilterLookup.h"
#include "engine/win/HiddenWindow.h"
#include "engine/win/PinHelpers.h"
#include "engine/win/PreviewGraph.h"
#include "failtrail/FailTrail.h"

namespace camera {

HRESULT CreateMonitorObjects(CaptureEngineState& state) {
    RETURN_IF_FAILED(CreateGraphObjects(state.monitorGraph, state.monitorControl, nullptr));
    const HRESULT hr = FindFilterByName(CLSID_LegacyAmFilterCategory, state.motion, L"Zavu Motion Detect Filter");
    if (FAILED(hr)) ShowEngineMessage(EngineMessage::MotionFilterMissing);
    return hr;
}

HRESULT BuildMonitorGraph(CaptureEngineState& state) {
    IGraphBuilder* graph = state.monitorGraph.Get();
    RETURN_HR_IF(E_FAIL, graph == nullptr);
    RETURN_IF_FAILED(AddNamedFilter(graph, state.videoCapture.Get(), L"Video Capture"));
    // A missing effect filter is always reported here: monitoring was asked
    // for explicitly.
    RETURN_IF_FAILED(FindEffectFilter(state, true));
    RETURN_IF_FAILED(ShowPlainPicture(state.effect.Get()));
    RETURN_IF_FAILED(AddNamedFilter(graph, state.effect.Get(), L"Effect"));
    const HRESULT hr = ConnectFilters(graph, state.videoCapture.Get(), nullptr, state.effect.Get(), nullptr);
    if (FAILED(hr)) {
        ShowEngineMessage(EngineMessage::CameraBusy);
        return hr;
    }
    RETURN_IF_FAILED(AddNamedFilter(graph, state.motion.Get(), L"Motion Detection"));
    RETURN_IF_FAILED(ConnectFilters(graph, state.effect.Get(), nullptr, state.motion.Get(), nullptr));
    RETURN_IF_FAILED(AddNamedFilter(graph, state.grabberFilter.Get(), L"Grabber"));
    RETURN_IF_FAILED(ConnectFilters(graph, state.motion.Get(), nullptr, state.grabberFilter.Get(), nullptr));
    ComPtr<IPin> grabberOut;
    RETURN_IF_FAILED(FindPin(state.grabberFilter.Get(), PINDIR_OUTPUT, nullptr, grabberOut));
    RETURN_IF_FAILED(graph->Render(grabberOut.Get()));

    ComPtr<IMediaEventEx> events;
    RETURN_IF_FAILED(QueryTo(graph, IID_IMediaEventEx, events));
    RETURN_IF_FAILED(events->SetNotifyWindow(reinterpret_cast<OAHWND>(state.hiddenWindow), WM_CAMERA_GRAPH_EVENT,
                                             kMonitorGraphEvents));
    return AttachPreviewWindow(state, graph);
}

}  // namespace camera
