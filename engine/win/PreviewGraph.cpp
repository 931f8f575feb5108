#include "engine/win/PreviewGraph.h"

#include "engine/win/EffectFilterAccess.h"
#include "engine/win/EngineMessages.h"
#include "engine/win/FilterLookup.h"
#include "engine/win/FrameGrabber.h"
#include "engine/win/GraphTeardown.h"
#include "engine/win/PinHelpers.h"
#include "engine/win/ThreadSleeper.h"
#include "failtrail/FailTrail.h"

#include <vector>

namespace camera {

namespace {

constexpr int kConnectAttempts = 10;
constexpr unsigned kConnectWaitMs = 100;

HRESULT CreateSampleGrabber(CaptureEngineState& state) {
    // No format block: the grabber takes the frame size the camera gives.
    return CreateRgbFrameGrabber(GUID_NULL, state.grabberFilter, state.grabber);
}

std::vector<HWND> ChildrenOf(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

}  // namespace

HRESULT AddNamedFilter(IGraphBuilder* graph, IBaseFilter* filter, const wchar_t* name) {
    if (graph == nullptr || filter == nullptr) return E_POINTER;
    return graph->AddFilter(filter, name);
}

HRESULT CreateGraphObjects(ComPtr<IGraphBuilder>& graph, ComPtr<IMediaControl>& control,
                           ComPtr<ICaptureGraphBuilder2>* builder) {
    HRESULT hr = S_OK;
    if (!graph) hr = CreateInstance(CLSID_FilterGraph, IID_IGraphBuilder, graph);
    if (SUCCEEDED(hr) && builder != nullptr && !*builder)
        hr = CreateInstance(CLSID_CaptureGraphBuilder2, IID_ICaptureGraphBuilder2, *builder);
    if (SUCCEEDED(hr) && builder != nullptr) hr = (*builder)->SetFiltergraph(graph.Get());
    if (SUCCEEDED(hr)) hr = QueryTo(graph.Get(), IID_IMediaControl, control);
    return hr;
}

HRESULT CreatePreviewObjects(CaptureEngineState& state) {
    ComPtr<IGraphBuilder> graph = state.previewGraph.Get();
    HRESULT hr = CreateGraphObjects(graph, state.previewControl, &state.previewBuilder);
    if (FAILED(hr)) {
        // A graph whose media control is lost is not kept: nothing could
        // stop it.
        if (!state.previewControl) state.previewGraph.Reset();
        return hr;
    }
    state.previewGraph.Exchange(graph);
    if (!state.grabber) hr = CreateSampleGrabber(state);
    return hr;
}

HRESULT FindEffectFilter(CaptureEngineState& state, bool showMessages) {
    if (state.effect) return S_OK;
    HRESULT hr = FindFilterByName(CLSID_LegacyAmFilterCategory, state.effect, L"Vimbrel_Effect");
    if (FAILED(hr) && showMessages) ShowEngineMessage(EngineMessage::EffectFilterMissing);
    return hr;
}

HRESULT FindSmartTee(CaptureEngineState& state) {
    if (state.smartTee) return S_OK;
    return FindFilterByName(CLSID_LegacyAmFilterCategory, state.smartTee, L"Smart Tee");
}

HRESULT StopAndEmptyPreview(CaptureEngineState& state) {
    ComPtr<IGraphBuilder> graph = state.previewGraph.Get();
    if (!graph) return S_OK;
    HRESULT hr = state.previewControl ? state.previewControl->Stop() : S_OK;
    EmptyGraph(graph.Get());
    // Until a build succeeds, a mode switch must build the preview again
    // rather than run the empty graph.
    state.values.rebuildPreview = true;
    return hr;
}

void StopCaptureGraphs(CaptureEngineState& state) {
    if (state.previewControl) state.previewControl->Stop();
    if (ComPtr<IGraphBuilder> audio = state.audioGraph.Get()) StopGraph(audio.Get());
    if (state.monitorControl) state.monitorControl->Stop();
    EmptyGraph(state.monitorGraph.Get());
}

HRESULT RunPreview(CaptureEngineState& state) {
    RETURN_HR_IF(E_FAIL, !state.previewControl);
    return state.previewControl->Run();
}

HRESULT AttachPreviewWindow(CaptureEngineState& state, IGraphBuilder* graph) {
    const std::vector<HWND> before = ChildrenOf(state.previewWindow);
    RETURN_IF_FAILED(AttachVideoWindow(graph, state.previewWindow));
    state.attachedVideoWindow = nullptr;
    for (HWND child : ChildrenOf(state.previewWindow)) {
        bool existed = false;
        for (HWND old : before) existed = existed || old == child;
        if (!existed) {
            state.attachedVideoWindow = child;
            break;
        }
    }
    return S_OK;
}

HRESULT BuildPreviewGraph(CaptureEngineState& state, bool showMessages) {
    // The old graph is stopped before it is emptied: filters leave a
    // running graph badly, and its window must not outlive it.
    StopAndEmptyPreview(state);
    // A fresh graph with its builder and media control, made whole or not
    // at all.
    ComPtr<IGraphBuilder> made;
    ComPtr<IMediaControl> control;
    ComPtr<ICaptureGraphBuilder2> builder;
    RETURN_IF_FAILED(CreateGraphObjects(made, control, &builder));
    state.previewControl = control;
    state.previewBuilder = builder;
    state.previewGraph.Exchange(made);
    IGraphBuilder* graph = made.Get();

    RETURN_IF_FAILED(AddNamedFilter(graph, state.videoCapture.Get(), L"Video Capture"));
    RETURN_IF_FAILED(FindEffectFilter(state, showMessages));
    RETURN_HR_IF(E_NOINTERFACE, !HasVideoEffect(state.effect.Get()));
    RETURN_IF_FAILED(AddNamedFilter(graph, state.effect.Get(), L"Effect"));

    // A camera that another program holds refuses to connect; it may be
    // let go of within a second.
    CThreadSleeper sleeper;
    const HRESULT hr = RetryWithWait(
        kConnectAttempts, kConnectWaitMs, sleeper,
        [&] { return ConnectFilters(graph, state.videoCapture.Get(), nullptr, state.effect.Get(), nullptr); },
        [](HRESULT result) { return SUCCEEDED(result); });
    if (FAILED(hr)) {
        if (showMessages) ShowEngineMessage(EngineMessage::CameraBusy);
        return hr;
    }

    RETURN_IF_FAILED(FindSmartTee(state));
    RETURN_IF_FAILED(AddNamedFilter(graph, state.smartTee.Get(), L"Smart Tee"));
    RETURN_IF_FAILED(ConnectFilters(graph, state.effect.Get(), nullptr, state.smartTee.Get(), nullptr));
    RETURN_IF_FAILED(AddNamedFilter(graph, state.grabberFilter.Get(), L"Grabber"));
    RETURN_IF_FAILED(ConnectFilters(graph, state.smartTee.Get(), L"Preview", state.grabberFilter.Get(), nullptr));
    RETURN_IF_FAILED(builder->RenderStream(nullptr, nullptr, state.grabberFilter.Get(), nullptr, nullptr));

    // A renderer window of an earlier graph that survived it would cover
    // the new one; only the engine's own window is removed, never one of
    // the caller's.
    HWND leftover = GetWindow(state.previewWindow, GW_CHILD);
    if (leftover != nullptr && leftover == state.attachedVideoWindow) DestroyWindow(leftover);
    RETURN_IF_FAILED(AttachPreviewWindow(state, graph));
    state.values.rebuildPreview = false;
    return S_OK;
}

}  // namespace camera
