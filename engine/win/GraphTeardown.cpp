#include "GraphTeardown.h"

#include <control.h>

namespace camera {

namespace {
// More filters than any graph of the engine ever holds.
constexpr int kMaxFiltersRemoved = 256;
}

HRESULT TearDownGraph(IGraphBuilder* graph)
{
    if (graph == nullptr)
        return S_OK;
    for (int removed = 0; removed < kMaxFiltersRemoved; ++removed) {
        // A fresh enumeration each time: removing a filter invalidates one.
        ComPtr<IEnumFilters> filters;
        if (FAILED(graph->EnumFilters(filters.GetAddressOf())) || !filters)
            break;
        ComPtr<IBaseFilter> filter;
        if (filters->Next(1, filter.GetAddressOf(), nullptr) != S_OK)
            break;
        if (FAILED(graph->RemoveFilter(filter.Get())))
            break;
    }
    return S_OK;
}

HRESULT AttachVideoWindow(IGraphBuilder* graph, HWND window)
{
    if (graph == nullptr || window == nullptr)
        return E_FAIL;
    ComPtr<IVideoWindow> video;
    if (FAILED(QueryTo(graph, IID_IVideoWindow, video)))
        return E_FAIL;
    RECT bounds{};
    GetWindowRect(window, &bounds);
    HRESULT hr = video->put_Owner(reinterpret_cast<OAHWND>(window));
    if (FAILED(hr))
        return hr;
    video->put_Left(0);
    video->put_Top(0);
    video->put_Width(bounds.right - bounds.left);
    video->put_Height(bounds.bottom - bounds.top);
    video->put_WindowStyle(WS_CHILD);
    video->put_Visible(OATRUE);
    video->SetWindowForeground(OATRUE);
    return S_OK;
}

void DetachVideoWindow(IGraphBuilder* graph)
{
    ComPtr<IVideoWindow> video;
    if (FAILED(QueryTo(graph, IID_IVideoWindow, video)))
        return;
    // Asking a graph without a connected renderer fails harmlessly.
    video->put_Visible(OAFALSE);
    video->put_Owner(reinterpret_cast<OAHWND>(nullptr));
}

void EmptyGraph(IGraphBuilder* graph)
{
    DetachVideoWindow(graph);
    TearDownGraph(graph);
}

HRESULT StopGraph(IGraphBuilder* graph)
{
    ComPtr<IMediaControl> control;
    if (FAILED(QueryTo(graph, IID_IMediaControl, control)))
        return E_NOINTERFACE;
    return control->Stop();
}

} // namespace camera
