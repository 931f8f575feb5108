#include "engine/win/GraphTeardown.h"

#include "failtrail/FailTrail.h"

#include <control.h>

namespace camera {

namespace {
// More filters than any graph of the engine ever holds.
constexpr int kMaxFiltersRemoved = 256;
}  // namespace

HRESULT TearDownGraph(IGraphBuilder* graph) {
    if (graph == nullptr) return S_OK;
    for (int removed = 0; removed < kMaxFiltersRemoved; ++removed) {
        // A fresh enumeration each time: removing a filter invalidates one.
        ComPtr<IEnumFilters> filters;
        if (FAILED(graph->EnumFilters(filters.GetAddressOf())) || !filters) break;
        ComPtr<IBaseFilter> filter;
        if (filters->Next(1, filter.GetAddressOf(), nullptr) != S_OK) break;
        if (FAILED(graph->RemoveFilter(filter.Get()))) break;
    }
    return S_OK;
}

HRESULT PlaceInOwner(IVideoWindow* video, const RECT& ownerBounds) {
    // One call for place and size, at (0, 0) of the owner's client area.
    // Setting left and top apart moves the window twice, and a renderer
    // that keeps the other coordinate from its screen position (Wine's
    // does) then leaves it off by the owner's own place on the screen.
    return video->SetWindowPosition(0, 0, ownerBounds.right - ownerBounds.left, ownerBounds.bottom - ownerBounds.top);
}

HRESULT AttachVideoWindow(IGraphBuilder* graph, HWND window) {
    RETURN_HR_IF(E_FAIL, graph == nullptr || window == nullptr);
    ComPtr<IVideoWindow> video;
    RETURN_HR_IF(E_FAIL, FAILED(QueryTo(graph, IID_IVideoWindow, video)));
    RECT bounds{};
    GetWindowRect(window, &bounds);
    RETURN_IF_FAILED(video->put_Owner(reinterpret_cast<OAHWND>(window)));
    PlaceInOwner(video.Get(), bounds);
    video->put_WindowStyle(WS_CHILD);
    video->put_Visible(OATRUE);
    video->SetWindowForeground(OATRUE);
    return S_OK;
}

void DetachVideoWindow(IGraphBuilder* graph) {
    ComPtr<IVideoWindow> video;
    if (FAILED(QueryTo(graph, IID_IVideoWindow, video))) return;
    // Asking a graph without a connected renderer fails harmlessly.
    video->put_Visible(OAFALSE);
    video->put_Owner(reinterpret_cast<OAHWND>(nullptr));
}

void EmptyGraph(IGraphBuilder* graph) {
    DetachVideoWindow(graph);
    TearDownGraph(graph);
}

HRESULT StopGraph(IGraphBuilder* graph) {
    ComPtr<IMediaControl> control;
    RETURN_HR_IF(E_NOINTERFACE, FAILED(QueryTo(graph, IID_IMediaControl, control)));
    return control->Stop();
}

}  // namespace camera
