#include "engine/win/RecordGraphs.h"

#include "engine/win/EngineMessages.h"
#include "engine/win/FilterLookup.h"
#include "engine/win/GraphTeardown.h"
#include "engine/win/PinHelpers.h"
#include "engine/win/PreviewGraph.h"
#include "engine/win/RecordingOutput.h"
#include "failtrail/FailTrail.h"

namespace camera {

namespace {

// Camera, effect and Smart Tee, with the tee's preview branch rendered.
HRESULT BuildCameraBranch(CaptureEngineState& state, IGraphBuilder* graph)
{
    HRESULT hr = AddNamedFilter(graph, state.videoCapture.Get(), L"Video Capture");
    if (FAILED(hr))
        return hr;
    // A recording was asked for explicitly: a missing effect is always told.
    hr = FindEffectFilter(state, true);
    if (SUCCEEDED(hr))
        hr = AddNamedFilter(graph, state.effect.Get(), L"Effect");
    if (SUCCEEDED(hr))
        hr = ConnectFilters(graph, state.videoCapture.Get(), nullptr, state.effect.Get(), nullptr);
    if (SUCCEEDED(hr))
        hr = FindSmartTee(state);
    if (SUCCEEDED(hr))
        hr = AddNamedFilter(graph, state.smartTee.Get(), L"Smart Tee");
    if (SUCCEEDED(hr))
        hr = ConnectFilters(graph, state.effect.Get(), nullptr, state.smartTee.Get(), nullptr);
    ComPtr<IPin> preview;
    if (SUCCEEDED(hr))
        hr = FindPin(state.smartTee.Get(), PINDIR_OUTPUT, L"Preview", preview);
    if (SUCCEEDED(hr))
        hr = graph->Render(preview.Get());
    return hr;
}

HRESULT FindNamedFilter(ComPtr<IBaseFilter>& filter, const wchar_t* name)
{
    if (filter)
        return S_OK;
    return FindFilterByName(CLSID_LegacyAmFilterCategory, filter, name);
}

HRESULT AddSoundThroughAudioControl(CaptureEngineState& state, IGraphBuilder* graph, IBaseFilter* writer)
{
    HRESULT hr = AddNamedFilter(graph, state.audioCapture.Get(), L"Audio Capture");
    if (FAILED(hr))
        return hr;
    hr = FindNamedFilter(state.audioControl, L"Vimbrel Audio");
    if (FAILED(hr)) {
        ShowEngineMessage(EngineMessage::AudioControlFilterMissing);
        return hr;
    }
    hr = AddNamedFilter(graph, state.audioControl.Get(), L"Audio Control Filter");
    if (SUCCEEDED(hr))
        hr = ConnectFilters(graph, state.audioCapture.Get(), nullptr, state.audioControl.Get(), nullptr);
    if (SUCCEEDED(hr))
        hr = ConnectFilters(graph, state.audioControl.Get(), nullptr, writer, L"Audio");
    return hr;
}

} // namespace

HRESULT BuildAsfRecordGraph(CaptureEngineState& state, const wchar_t* path)
{
    ComPtr<IGraphBuilder> graph = state.previewGraph.Get();
    RETURN_HR_IF(E_FAIL, !graph);
    HRESULT hr = BuildCameraBranch(state, graph.Get());
    if (FAILED(hr))
        return hr;
    if (!state.asfWriter) {
        RETURN_IF_FAILED(CreateInstance(CLSID_WMAsfWriter, IID_IBaseFilter, state.asfWriter));
    }
    hr = AddNamedFilter(graph.Get(), state.asfWriter.Get(), L"WM ASF Writer");
    if (SUCCEEDED(hr) && state.audioDevices.Count() > 0)
        hr = AddSoundThroughAudioControl(state, graph.Get(), state.asfWriter.Get());
    if (SUCCEEDED(hr))
        hr = ConnectFilters(graph.Get(), state.smartTee.Get(), L"Capture", state.asfWriter.Get(), L"Video");
    ComPtr<IFileSinkFilter2> sink;
    if (SUCCEEDED(hr))
        hr = QueryTo(state.asfWriter.Get(), IID_IFileSinkFilter2, sink);
    if (SUCCEEDED(hr))
        hr = sink->SetFileName(path, nullptr);
    if (FAILED(hr))
        return hr;
    return AttachPreviewWindow(state, graph.Get());
}

HRESULT BuildAviRecordGraph(CaptureEngineState& state, const wchar_t* path, int withAudio)
{
    ComPtr<IGraphBuilder> graph = state.previewGraph.Get();
    RETURN_HR_IF(E_FAIL, !graph);
    HRESULT hr = BuildCameraBranch(state, graph.Get());
    if (SUCCEEDED(hr))
        hr = FindNamedFilter(state.aviMux, L"AVI Mux");
    if (SUCCEEDED(hr))
        hr = AddNamedFilter(graph.Get(), state.aviMux.Get(), L"AVI Mux");
    // The mux gets its interleaving and its file writer before any input,
    // as the capture graph builder's own AVI output does: some muxes can
    // change neither once an input is connected.
    if (SUCCEEDED(hr)) {
        PrepareAviMux(state.aviMux.Get());
        hr = FindNamedFilter(state.fileWriter, L"File writer");
    }
    if (SUCCEEDED(hr))
        hr = AddNamedFilter(graph.Get(), state.fileWriter.Get(), L"File writer");
    if (SUCCEEDED(hr))
        hr = ConnectFilters(graph.Get(), state.aviMux.Get(), nullptr, state.fileWriter.Get(), nullptr);
    if (SUCCEEDED(hr))
        hr = ConnectFilters(graph.Get(), state.smartTee.Get(), L"Capture", state.aviMux.Get(), nullptr);
    if (SUCCEEDED(hr) && withAudio != 0 && state.audioDevices.Count() > 0) {
        hr = AddNamedFilter(graph.Get(), state.audioCapture.Get(), L"Audio Capture");
        if (SUCCEEDED(hr))
            hr = ConnectFilters(graph.Get(), state.audioCapture.Get(), nullptr, state.aviMux.Get(), nullptr);
    }
    ComPtr<IFileSinkFilter> sink;
    if (SUCCEEDED(hr))
        hr = QueryTo(state.fileWriter.Get(), IID_IFileSinkFilter, sink);
    if (SUCCEEDED(hr))
        hr = sink->SetFileName(path, nullptr);
    if (FAILED(hr))
        return hr;
    return AttachPreviewWindow(state, graph.Get());
}

} // namespace camera
