#include "engine/win/PlaybackGraphs.h"

#include "engine/win/EngineMessages.h"
#include "engine/win/FrameGrabber.h"
#include "engine/win/GraphEvents.h"
#include "engine/win/GraphTeardown.h"
#include "engine/win/HiddenWindow.h"
#include "engine/win/PinHelpers.h"
#include "engine/win/PreviewGraph.h"
#include "engine/win/ThreadCom.h"
#include "failtrail/FailTrail.h"

namespace camera {

namespace {

// What adding a Windows Media source answers for a file it cannot read.
constexpr HRESULT kAsfInvalidInputFormat = static_cast<HRESULT>(0xC00D002F);
constexpr HRESULT kAsfInvalidData = static_cast<HRESULT>(0xC00D0026);

HRESULT CreateSource(REFCLSID clsid, const wchar_t* path, ComPtr<IBaseFilter>& source) {
    RETURN_IF_FAILED(CreateInstance(clsid, IID_IBaseFilter, source));
    ComPtr<IFileSourceFilter> file;
    RETURN_IF_FAILED(QueryTo(source.Get(), IID_IFileSourceFilter, file));
    return file->Load(path, nullptr);
}

// A grabber of its own for each playback graph, so that the picture on
// show can be read.
HRESULT AddFrameGrabber(IGraphBuilder* graph, const wchar_t* name) {
    ComPtr<IBaseFilter> filter;
    ComPtr<ISampleGrabber> grabber;
    RETURN_IF_FAILED(CreateRgbFrameGrabber(FORMAT_VideoInfo, filter, grabber));
    return AddNamedFilter(graph, filter.Get(), name);
}

// Renders the source's free output pin whose name contains pinName (the
// first free one without a name); a source without such a pin is no error.
HRESULT RenderSourcePin(IGraphBuilder* graph, IBaseFilter* source, const wchar_t* pinName) {
    ComPtr<IPin> pin;
    if (FAILED(FindPin(source, PINDIR_OUTPUT, pinName, pin))) return S_FALSE;
    return graph->Render(pin.Get());
}

// The shared renderer carries the volume the user chose. Without it (the
// engine not started) the graph finds a renderer of its own.
void AddSharedAudioRenderer(const CaptureEngineState& state, IGraphBuilder* graph) {
    AddNamedFilter(graph, state.dsoundRenderer.Get(), L"DSound Renderer");
}

HRESULT PlaceAsfVideoWindow(IGraphBuilder* graph, HWND window) {
    ComPtr<IVideoWindow> video;
    RETURN_IF_FAILED(QueryTo(graph, IID_IVideoWindow, video));
    RECT bounds{};
    GetWindowRect(window, &bounds);
    RETURN_IF_FAILED(video->put_Owner(reinterpret_cast<OAHWND>(window)));
    RETURN_IF_FAILED(PlaceInOwner(video.Get(), bounds));
    RETURN_IF_FAILED(video->put_WindowStyle(WS_CHILD | WS_CLIPSIBLINGS));
    return video->put_Visible(OATRUE);
}

HRESULT PlaceFileVideoWindow(IGraphBuilder* graph, HWND window) {
    RETURN_IF_FAILED(AttachVideoWindow(graph, window));
    ComPtr<IVideoWindow> video;
    RETURN_IF_FAILED(QueryTo(graph, IID_IVideoWindow, video));
    return video->put_WindowState(SW_SHOW);
}

HRESULT NotifyEngineWindow(const CaptureEngineState& state, IGraphBuilder* graph) {
    ComPtr<IMediaEventEx> events;
    RETURN_IF_FAILED(QueryTo(graph, IID_IMediaEventEx, events));
    return events->SetNotifyWindow(reinterpret_cast<OAHWND>(state.hiddenWindow), WM_CAMERA_GRAPH_EVENT,
                                   kPlaybackGraphEvents);
}

HRESULT UseSystemClock(IGraphBuilder* graph) {
    ComPtr<IReferenceClock> clock;
    RETURN_IF_FAILED(CreateInstance(CLSID_SystemClock, IID_IReferenceClock, clock));
    ComPtr<IMediaFilter> filter;
    RETURN_IF_FAILED(QueryTo(graph, IID_IMediaFilter, filter));
    return filter->SetSyncSource(clock.Get());
}

// The graph becomes the engine's playback graph before it runs, so that
// its end, which may be posted the moment it runs, finds it there.
HRESULT PublishAndRun(CaptureEngineState& state, const ComPtr<IGraphBuilder>& graph) {
    ComPtr<IMediaControl> control;
    RETURN_IF_FAILED(QueryTo(graph.Get(), IID_IMediaControl, control));
    ComPtr<IGraphBuilder> previous;
    {
        std::lock_guard<std::mutex> hold(state.playbackOrder);
        previous = state.playbackGraph.Exchange(graph);
    }
    // Only a playback started meanwhile on another thread can be here;
    // the exchange made it this thread's alone.
    DisposePlaybackGraph(previous);
    HRESULT hr = E_ABORT;
    {
        // A stop on another thread may have taken the new graph already; it
        // is then not run again.
        std::lock_guard<std::mutex> hold(state.playbackOrder);
        if (state.playbackGraph.Get().Get() == graph.Get()) hr = control->Run();
    }
    if (FAILED(hr)) ReleasePlaybackGraph(state, graph);
    return hr;
}

template <class Build>
HRESULT BuildAndRun(CaptureEngineState& state, Build build) {
    EnsureComOnThisThread();
    ComPtr<IGraphBuilder> graph;
    RETURN_IF_FAILED(CreateInstance(CLSID_FilterGraph, IID_IGraphBuilder, graph));
    const HRESULT hr = build(graph.Get());
    if (FAILED(hr)) {
        // Never published: this empties it and takes its window back.
        DisposePlaybackGraph(graph);
        return hr;
    }
    return PublishAndRun(state, graph);
}

}  // namespace

HRESULT BuildAsfPlaybackGraph(CaptureEngineState& state, const wchar_t* path, HWND window, bool hasVideo) {
    return BuildAndRun(state, [&](IGraphBuilder* graph) {
        ComPtr<IBaseFilter> reader;
        RETURN_IF_FAILED(CreateSource(CLSID_WMAsfReader, path, reader));
        HRESULT hr = AddNamedFilter(graph, reader.Get(), L"ASF Reader");
        if (hr == kAsfInvalidInputFormat || hr == kAsfInvalidData) ShowEngineMessage(EngineMessage::InvalidFileFormat);
        if (FAILED(hr)) return hr;
        AddSharedAudioRenderer(state, graph);
        hr = RenderSourcePin(graph, reader.Get(), L"Audio");
        if (FAILED(hr) || !hasVideo) return hr;  // sound only: nobody is told of its end

        RETURN_IF_FAILED(AddFrameGrabber(graph, L"Sample Grabber"));
        RETURN_IF_FAILED(RenderSourcePin(graph, reader.Get(), L"Video"));
        RETURN_IF_FAILED(PlaceAsfVideoWindow(graph, window));
        RETURN_IF_FAILED(NotifyEngineWindow(state, graph));
        return UseSystemClock(graph);
    });
}

HRESULT BuildFilePlaybackGraph(CaptureEngineState& state, const wchar_t* path, HWND window, bool hasVideo) {
    return BuildAndRun(state, [&](IGraphBuilder* graph) {
        ComPtr<IBaseFilter> source;
        RETURN_IF_FAILED(CreateSource(CLSID_AsyncReader, path, source));
        RETURN_IF_FAILED(AddNamedFilter(graph, source.Get(), L"Async Reader"));
        if (hasVideo) RETURN_IF_FAILED(AddFrameGrabber(graph, L"Grabber"));
        AddSharedAudioRenderer(state, graph);
        ComPtr<IPin> output;
        RETURN_IF_FAILED(FindPin(source.Get(), PINDIR_OUTPUT, nullptr, output));
        RETURN_IF_FAILED(graph->Render(output.Get()));
        if (hasVideo) RETURN_IF_FAILED(PlaceFileVideoWindow(graph, window));
        return NotifyEngineWindow(state, graph);
    });
}

}  // namespace camera
