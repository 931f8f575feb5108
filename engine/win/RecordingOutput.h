// The multiplexer and file sink that a recording writes through.
#pragma once

#include "engine/win/ComHelpers.h"

namespace camera {

// Chooses how AVI Mux interleaves sound and pictures; called while none of
// its pins is connected, since some muxes cannot change mode afterwards.
void PrepareAviMux(IBaseFilter* mux);

// What ICaptureGraphBuilder2::SetOutputFileName gives for a file of that
// subtype (MEDIASUBTYPE_Avi or MEDIASUBTYPE_Asf): the multiplexer, in the
// graph and connected to its sink, and the sink named with the path. A
// builder that does not implement the call gets the same filters made here.
HRESULT SetOutputFile(ICaptureGraphBuilder2* builder, IGraphBuilder* graph, const GUID& subtype, const wchar_t* path,
                      ComPtr<IBaseFilter>& mux, ComPtr<IFileSinkFilter>& sink);

}  // namespace camera
