#include "GraphRecovery.h"

#include "GraphTeardown.h"

namespace camera {

void ForceGraphStopped(IGraphBuilder* graph)
{
    if (graph == nullptr)
        return;
    StopGraph(graph);
    ComPtr<IEnumFilters> filters;
    if (FAILED(graph->EnumFilters(filters.GetAddressOf())) || !filters)
        return;
    ComPtr<IBaseFilter> filter;
    while (filters->Next(1, filter.ReleaseAndGetAddressOf(), nullptr) == S_OK)
        filter->Stop();
}

} // namespace camera
