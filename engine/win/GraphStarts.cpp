#include "engine/win/GraphStarts.h"

#include "engine/win/GraphTeardown.h"

namespace camera {

namespace {
// Live graphs settle at once; a file that cannot be written is known when
// the writer pauses.
constexpr LONG kRunConfirmMs = 2000;
}  // namespace

HRESULT ShareGraphClock(IGraphBuilder* graph) {
    ComPtr<IMediaFilter> timing;
    HRESULT hr = QueryTo(graph, IID_IMediaFilter, timing);
    if (FAILED(hr)) return hr;
    ComPtr<IReferenceClock> clock;
    hr = timing->GetSyncSource(clock.GetAddressOf());
    if (FAILED(hr) || !clock) return S_OK;
    return timing->SetSyncSource(clock.Get());
}

HRESULT RunAndConfirm(IMediaControl* control) {
    if (control == nullptr) return E_POINTER;
    const HRESULT hr = control->Run();
    if (hr != S_FALSE) return hr;
    OAFilterState state = State_Stopped;
    const HRESULT settled = control->GetState(kRunConfirmMs, &state);
    // Still on its way after the wait is not a failure.
    return FAILED(settled) ? settled : hr;
}

void ForceGraphStopped(IGraphBuilder* graph) {
    if (graph == nullptr) return;
    StopGraph(graph);
    ComPtr<IEnumFilters> filters;
    if (FAILED(graph->EnumFilters(filters.GetAddressOf())) || !filters) return;
    ComPtr<IBaseFilter> filter;
    while (filters->Next(1, filter.ReleaseAndGetAddressOf(), nullptr) == S_OK) filter->Stop();
}

}  // namespace camera
