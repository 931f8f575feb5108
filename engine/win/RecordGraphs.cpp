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
HRESULT BuildCameraBranch(CaptureEngineState& state, IGraphBuilder* graph) {
    RETURN_IF_FAILED(AddNamedFilter(graph, state.videoCapture.Get(), L"Video Capture"));
    // A recording was asked for explicitly: a missing effect is always told.
    RETURN_IF_FAILED(FindEffectFilter(state, true));
    RETURN_IF_FAILED(AddNamedFilter(graph, state.effect.Get(), L"Effect"));
    RETURN_IF_FAILED(ConnectFilters(graph, state.videoCapture.Get(), nullptr, state.effect.Get(), nullptr));
    RETURN_IF_FAILED(FindSmartTee(state));
    RETURN_IF_FAILED(AddNamedFilter(graph, state.smartTee.Get(), L"Smart Tee"));
    RETURN_IF_FAILED(ConnectFilters(graph, state.effect.Get(), nullptr, state.smartTee.Get(), nullptr));
    ComPtr<IPin> preview;
    RETURN_IF_FAILED(FindPin(state.smartTee.Get(), PINDIR_OUTPUT, L"Preview", preview));
    return graph->Render(preview.Get());
}

HRESULT FindNamedFilter(ComPtr<IBaseFilter>& filter, const wchar_t* name) {
    if (filter) return S_OK;
    return FindFilterByName(CLSID_LegacyAmFilterCategory, filter, name);
}

HRESULT AddSoundThroughAudioControl(CaptureEngineState& state, IGraphBuilder* graph, IBaseFilter* writer) {
    HRESULT hr = AddNamedFilter(graph, state.audioCapture.Get(), L"Audio Capture");
    if (FAILED(hr)) return hr;
    hr = FindNamedFilter(state.audioControl, L"Vimbrel Audio");
    if (FAILED(hr)) {
        ShowEngineMessage(EngineMessage::AudioControlFilterMissing);
        return hr;
    }
    hr = AddNamedFilter(graph, state.audioControl.Get(), L"Audio Control Filter");
    if (SUCCEEDED(hr)) hr = ConnectFilters(graph, state.audioCapture.Get(), nullptr, state.audioControl.Get(), nullptr);
    if (SUCCEEDED(hr)) hr = ConnectFilters(graph, state.audioControl.Get(), nullptr, writer, L"Audio");
    return hr;
}

}  // namespace

HRESULT BuildAsfRecordGraph(CaptureEngineState& state, const wchar_t* path) {
    ComPtr<IGraphBuilder> graph = state.previewGraph.Get();
    RETURN_HR_IF(E_FAIL, !graph);
    RETURN_IF_FAILED(BuildCameraBranch(state, graph.Get()));
    if (!state.asfWriter) {
        RETURN_IF_FAILED(CreateInstance(CLSID_WMAsfWriter, IID_IBaseFilter, state.asfWriter));
    }
    RETURN_IF_FAILED(AddNamedFilter(graph.Get(), state.asfWriter.Get(), L"WM ASF Writer"));
    if (state.audioDevices.Count() > 0)
        RETURN_IF_FAILED(AddSoundThroughAudioControl(state, graph.Get(), state.asfWriter.Get()));
    RETURN_IF_FAILED(ConnectFilters(graph.Get(), state.smartTee.Get(), L"Capture", state.asfWriter.Get(), L"Video"));
    ComPtr<IFileSinkFilter2> sink;
    RETURN_IF_FAILED(QueryTo(state.asfWriter.Get(), IID_IFileSinkFilter2, sink));
    RETURN_IF_FAILED(sink->SetFileName(path, nullptr));
    return AttachPreviewWindow(state, graph.Get());
}

HRESULT BuildAviRecordGraph(CaptureEngineState& state, const wchar_t* path, int withAudio) {
    ComPtr<IGraphBuilder> graph = state.previewGraph.Get();
    RETURN_HR_IF(E_FAIL, !graph);
    RETURN_IF_FAILED(BuildCameraBranch(state, graph.Get()));
    RETURN_IF_FAILED(FindNamedFilter(state.aviMux, L"AVI Mux"));
    RETURN_IF_FAILED(AddNamedFilter(graph.Get(), state.aviMux.Get(), L"AVI Mux"));
    // The mux gets its interleaving and its file writer before any input,
    // as the capture graph builder's own AVI output does: some muxes can
    // change neither once an input is connected.
    PrepareAviMux(state.aviMux.Get());
    RETURN_IF_FAILED(FindNamedFilter(state.fileWriter, L"File writer"));
    RETURN_IF_FAILED(AddNamedFilter(graph.Get(), state.fileWriter.Get(), L"File writer"));
    RETURN_IF_FAILED(ConnectFilters(graph.Get(), state.aviMux.Get(), nullptr, state.fileWriter.Get(), nullptr));
    RETURN_IF_FAILED(ConnectFilters(graph.Get(), state.smartTee.Get(), L"Capture", state.aviMux.Get(), nullptr));
    if (withAudio != 0 && state.audioDevices.Count() > 0) {
        RETURN_IF_FAILED(AddNamedFilter(graph.Get(), state.audioCapture.Get(), L"Audio Capture"));
        RETURN_IF_FAILED(ConnectFilters(graph.Get(), state.audioCapture.Get(), nullptr, state.aviMux.Get(), nullptr));
    }
    ComPtr<IFileSinkFilter> sink;
    RETURN_IF_FAILED(QueryTo(state.fileWriter.Get(), IID_IFileSinkFilter, sink));
    RETURN_IF_FAILED(sink->SetFileName(path, nullptr));
    return AttachPreviewWindow(state, graph.Get());
}

}  // namespace camera
