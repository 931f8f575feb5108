// The preview graph: camera, effect, Smart Tee, grabber and renderer, shown
// in the caller's preview window. The same graph object later carries the
// recording graphs.
#pragma once

#include "engine/win/CaptureEngineState.h"

namespace camera {

// Makes what is missing of a filter graph and, when builder is given, of
// its capture builder; joins the builder to the graph and takes the graph's
// media control.
HRESULT CreateGraphObjects(ComPtr<IGraphBuilder>& graph, ComPtr<IMediaControl>& control,
                           ComPtr<ICaptureGraphBuilder2>* builder);

// At Initialize: the preview graph with its builder and media control, and
// the Sample Grabber that every capture graph shares.
HRESULT CreatePreviewObjects(CaptureEngineState& state);

// Replaces the preview graph by a freshly built one. Failure codes < 0;
// showMessages lets it tell the user about a missing effect filter and a
// busy camera.
HRESULT BuildPreviewGraph(CaptureEngineState& state, bool showMessages);

// Stops the preview, the audio graph and the monitor, and empties the
// monitor graph: what every mode switch does before its own work.
void StopCaptureGraphs(CaptureEngineState& state);

// Stops the preview graph (when one exists) and empties it.
HRESULT StopAndEmptyPreview(CaptureEngineState& state);

HRESULT RunPreview(CaptureEngineState& state);

// The filters that every build may need and finds once by name.
HRESULT FindEffectFilter(CaptureEngineState& state, bool showMessages);
HRESULT FindSmartTee(CaptureEngineState& state);

// Adds the filter under the graph name; a null filter or a refusal fails.
HRESULT AddNamedFilter(IGraphBuilder* graph, IBaseFilter* filter, const wchar_t* name);

// Hangs the graph's video window into the preview window and remembers it
// as the engine's own child window there.
HRESULT AttachPreviewWindow(CaptureEngineState& state, IGraphBuilder* graph);

}  // namespace camera
