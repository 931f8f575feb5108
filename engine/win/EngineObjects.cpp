#include "EngineObjects.h"

namespace camera {

HRESULT CreateAudioGraphObjects(CaptureEngineState& state)
{
    HRESULT hr = S_OK;
    if (!state.audioBuilder) {
        hr = CreateInstance(CLSID_CaptureGraphBuilder2, IID_ICaptureGraphBuilder2, state.audioBuilder);
        if (FAILED(hr))
            return hr;
    }
    ComPtr<IGraphBuilder> graph = state.audioGraph.Get();
    if (!graph) {
        hr = CreateInstance(CLSID_FilterGraph, IID_IGraphBuilder, graph);
        if (FAILED(hr))
            return hr;
        state.audioGraph.Exchange(graph);
    }
    return state.audioBuilder->SetFiltergraph(graph.Get());
}

HRESULT CreateAudioRenderer(CaptureEngineState& state)
{
    if (state.dsoundRenderer)
        return S_OK;
    return CreateInstance(CLSID_DSoundRender, IID_IBaseFilter, state.dsoundRenderer);
}

} // namespace camera
