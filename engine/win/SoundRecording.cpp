#include "engine/win/SoundRecording.h"

#include "engine/win/AsfProfileConfig.h"
#include "engine/win/EngineObjects.h"
#include "engine/win/GraphStarts.h"
#include "engine/win/GraphTeardown.h"
#include "engine/win/PinHelpers.h"
#include "engine/win/PreviewGraph.h"
#include "engine/win/RecordingOutput.h"
#include "engine/core/RecordingRules.h"
#include "failtrail/FailTrail.h"

namespace camera {

namespace {

// {3C78B8E2-6C4D-11D1-ADE2-0000F8754B99}: "WAV Dest", a filter outside the
// platform that turns sound into the bytes of a WAVE file.
constexpr CLSID kClsidWavDest = {0x3C78B8E2, 0x6C4D, 0x11D1, {0xAD, 0xE2, 0x00, 0x00, 0xF8, 0x75, 0x4B, 0x99}};

// The microphone rendered into the multiplexer SetOutputFileName made.
HRESULT BuildMuxedSoundGraph(CaptureEngineState& state, IGraphBuilder* graph, const GUID& subtype,
                             const wchar_t* path) {
    HRESULT hr = SetOutputFile(state.audioBuilder.Get(), graph, subtype, path, state.audioFileMux, state.audioFileSink);
    if (SUCCEEDED(hr)) hr = AddNamedFilter(graph, state.audioCapture.Get(), L"Audio Capture");
    if (SUCCEEDED(hr))
        hr = state.audioBuilder->RenderStream(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Audio, state.audioCapture.Get(),
                                              nullptr, state.audioFileMux.Get());
    if (SUCCEEDED(hr) && subtype == MEDIASUBTYPE_Asf) hr = ConfigureAsfAudioProfile(state, state.audioFileMux.Get());
    return hr;
}

HRESULT BuildSoundGraph(CaptureEngineState& state, IGraphBuilder* graph, const wchar_t* path) {
    switch (SoundContainerFor(state.values.audioFileFormat)) {
    case SoundContainer::Wma: return BuildMuxedSoundGraph(state, graph, MEDIASUBTYPE_Asf, path);
    case SoundContainer::Avi: return BuildMuxedSoundGraph(state, graph, MEDIASUBTYPE_Avi, path);
    case SoundContainer::Wav: return BuildWavGraph(state, path);
    case SoundContainer::Unknown: break;
    }
    return E_INVALIDARG;
}

HRESULT RunGraph(IGraphBuilder* graph) {
    ComPtr<IMediaControl> control;
    HRESULT hr = QueryTo(graph, IID_IMediaControl, control);
    return SUCCEEDED(hr) ? RunAndConfirm(control.Get()) : hr;
}

}  // namespace

HRESULT BuildWavGraph(CaptureEngineState& state, const wchar_t* path) {
    ComPtr<IGraphBuilder> graph = state.audioGraph.Get();
    RETURN_HR_IF(E_FAIL, !graph);
    HRESULT hr = AddNamedFilter(graph.Get(), state.audioCapture.Get(), L"Audio Capture");
    if (FAILED(hr)) return hr;
    ComPtr<IBaseFilter> wavDest;
    ComPtr<IBaseFilter> writer;
    ComPtr<IFileSinkFilter2> sink;
    if (FAILED(CreateInstance(kClsidWavDest, IID_IBaseFilter, wavDest)) ||
        FAILED(CreateInstance(CLSID_FileWriter, IID_IBaseFilter, writer)) ||
        FAILED(QueryTo(writer.Get(), IID_IFileSinkFilter2, sink)))
        return E_NOINTERFACE;
    hr = AddNamedFilter(graph.Get(), writer.Get(), L"File Writer");
    if (SUCCEEDED(hr)) hr = AddNamedFilter(graph.Get(), wavDest.Get(), L"WAV Dest");
    // A WAVE file left longer by an earlier recording would keep its old
    // tail behind the new sound.
    if (SUCCEEDED(hr)) hr = sink->SetMode(AM_FILE_OVERWRITE);
    if (SUCCEEDED(hr)) hr = sink->SetFileName(path, nullptr);
    ComPtr<IPin> output;
    if (SUCCEEDED(hr)) hr = FindNthPin(state.audioCapture.Get(), PINDIR_OUTPUT, 0, output);
    // Rendering connects through the filters already in the graph first.
    if (SUCCEEDED(hr)) hr = graph->Render(output.Get());
    return hr;
}

HRESULT StartSoundRecording(CaptureEngineState& state, const wchar_t* path) {
    HRESULT hr = CreateAudioGraphObjects(state);
    if (FAILED(hr)) return hr;
    ComPtr<IGraphBuilder> graph = state.audioGraph.Get();
    hr = BuildSoundGraph(state, graph.Get(), path);
    if (SUCCEEDED(hr)) hr = RunGraph(graph.Get());
    // What a failed build added would hold the microphone, and every later
    // start would fail on it. A graph that failed to run may refuse to let
    // its filters go, so the whole graph goes; the next start makes a new
    // one.
    if (FAILED(hr)) {
        ForceGraphStopped(graph.Get());
        EndSoundRecording(state);
    }
    return hr;
}

void EndSoundRecording(CaptureEngineState& state) {
    ComPtr<IGraphBuilder> graph = state.audioGraph.Exchange(nullptr);
    StopGraph(graph.Get());
    TearDownGraph(graph.Get());
    state.audioFileMux.Reset();
    state.audioFileSink.Reset();
    state.audioBuilder.Reset();
}

}  // namespace camera
