#include "engine/win/GraphEvents.h"

#include "engine/win/GraphTeardown.h"
#include "failtrail/FailTrail.h"

namespace camera {

namespace {

template <class OnEvent>
void DrainEvents(IMediaEventEx* events, OnEvent onEvent) {
    long code = 0;
    LONG_PTR first = 0;
    LONG_PTR second = 0;
    while (events->GetEvent(&code, &first, &second, 0) == S_OK) {
        const bool keepGoing = onEvent(code);
        events->FreeEventParams(code, first, second);
        if (!keepGoing) break;
    }
}

}  // namespace

int OnMonitorGraphEvent(CaptureEngineState& state) {
    ComPtr<IMediaEventEx> events;
    RETURN_VALUE_IF_FAILED(0, QueryTo(state.monitorGraph.Get(), IID_IMediaEventEx, events));
    DrainEvents(events.Get(), [&state](long code) {
        if (code == EC_MOTION_DETECTED) PostMessageA(state.monitorNotifyWindow, WM_MOTION_EVENT, 0, 0);
        return true;
    });
    return 1;
}

void DisposePlaybackGraph(const ComPtr<IGraphBuilder>& graph) {
    if (!graph) return;
    StopGraph(graph.Get());
    DetachVideoWindow(graph.Get());
    // Emptied here, so that its filters and their windows go away on this
    // thread even when a time query on another still holds the graph.
    TearDownGraph(graph.Get());
}

ComPtr<IGraphBuilder> TakePlaybackGraph(CaptureEngineState& state) {
    std::lock_guard<std::mutex> hold(state.playbackOrder);
    return state.playbackGraph.Exchange(ComPtr<IGraphBuilder>{});
}

void ReleasePlaybackGraph(CaptureEngineState& state, const ComPtr<IGraphBuilder>& graph) {
    if (!graph) return;
    bool taken = false;
    {
        std::lock_guard<std::mutex> hold(state.playbackOrder);
        taken = state.playbackGraph.ResetIfHolding(graph);
    }
    if (taken) DisposePlaybackGraph(graph);
}

int OnPlaybackGraphEvent(CaptureEngineState& state) {
    ComPtr<IGraphBuilder> graph = state.playbackGraph.Get();
    ComPtr<IMediaEventEx> events;
    if (FAILED(QueryTo(graph.Get(), IID_IMediaEventEx, events))) return 1;
    bool complete = false;
    DrainEvents(events.Get(), [&complete](long code) {
        complete = code == EC_COMPLETE;
        return !complete;
    });
    if (complete) ReleasePlaybackGraph(state, graph);
    return 1;
}

}  // namespace camera
