#include "engine/win/EngineObjects.h"

#include "failtrail/FailTrail.h"

namespace camera {

HRESULT CreateAudioGraphObjects(CaptureEngineState& state) {
    ComPtr<IGraphBuilder> graph = state.audioGraph.Get();
    // A builder takes its graph once; both there means they are joined.
    if (graph && state.audioBuilder) return S_OK;
    if (!graph) {
        RETURN_IF_FAILED(CreateInstance(CLSID_FilterGraph, IID_IGraphBuilder, graph));
        state.audioGraph.Exchange(graph);
        // A builder left from an earlier graph cannot be joined to this one.
        state.audioBuilder.Reset();
    }
    RETURN_IF_FAILED(CreateInstance(CLSID_CaptureGraphBuilder2, IID_ICaptureGraphBuilder2, state.audioBuilder));
    return state.audioBuilder->SetFiltergraph(graph.Get());
}

HRESULT CreateAudioRenderer(CaptureEngineState& state) {
    if (state.dsoundRenderer) return S_OK;
    return CreateInstance(CLSID_DSoundRender, IID_IBaseFilter, state.dsoundRenderer);
}

}  // namespace camera
