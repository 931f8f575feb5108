#include "engine/win/MonitorGraph.h"

#include "engine/win/EffectFilterAccess.h"
#include "engine/win/EngineMessages.h"
#include "engine/win/FilterLookup.h"
#include "engine/win/HiddenWindow.h"
#include "engine/win/PinHelpers.h"
#include "engine/win/PreviewGraph.h"
#include "failtrail/FailTrail.h"

namespace camera {

HRESULT CreateMonitorObjects(CaptureEngineState& state)
{
    HRESULT hr = CreateGraphObjects(state.monitorGraph, state.monitorControl, nullptr);
    if (FAILED(hr))
        return hr;
    hr = FindFilterByName(CLSID_LegacyAmFilterCategory, state.motion, L"Zavu Motion Detect Filter");
    if (FAILED(hr))
        ShowEngineMessage(EngineMessage::MotionFilterMissing);
    return hr;
}

HRESULT BuildMonitorGraph(CaptureEngineState& state)
{
    IGraphBuilder* graph = state.monitorGraph.Get();
    RETURN_HR_IF(E_FAIL, graph == nullptr);
    HRESULT hr = AddNamedFilter(graph, state.videoCapture.Get(), L"Video Capture");
    if (FAILED(hr))
        return hr;
    // A missing effect filter is always reported here: monitoring was asked
    // for explicitly.
    RETURN_IF_FAILED(FindEffectFilter(state, true));
    RETURN_IF_FAILED(ShowPlainPicture(state.effect.Get()));
    RETURN_IF_FAILED(AddNamedFilter(graph, state.effect.Get(), L"Effect"));
    hr = ConnectFilters(graph, state.videoCapture.Get(), nullptr, state.effect.Get(), nullptr);
    if (FAILED(hr)) {
        ShowEngineMessage(EngineMessage::CameraBusy);
        return hr;
    }
    hr = AddNamedFilter(graph, state.motion.Get(), L"Motion Detection");
    if (SUCCEEDED(hr))
        hr = ConnectFilters(graph, state.effect.Get(), nullptr, state.motion.Get(), nullptr);
    if (SUCCEEDED(hr))
        hr = AddNamedFilter(graph, state.grabberFilter.Get(), L"Grabber");
    if (SUCCEEDED(hr))
        hr = ConnectFilters(graph, state.motion.Get(), nullptr, state.grabberFilter.Get(), nullptr);
    ComPtr<IPin> grabberOut;
    if (SUCCEEDED(hr))
        hr = FindPin(state.grabberFilter.Get(), PINDIR_OUTPUT, nullptr, grabberOut);
    if (SUCCEEDED(hr))
        hr = graph->Render(grabberOut.Get());
    if (FAILED(hr))
        return hr;

    ComPtr<IMediaEventEx> events;
    hr = QueryTo(graph, IID_IMediaEventEx, events);
    if (SUCCEEDED(hr))
        hr = events->SetNotifyWindow(reinterpret_cast<OAHWND>(state.hiddenWindow), WM_CAMERA_GRAPH_EVENT,
                                     kMonitorGraphEvents);
    if (FAILED(hr))
        return hr;
    return AttachPreviewWindow(state, graph);
}

} // namespace camera
