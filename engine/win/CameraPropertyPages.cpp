// The capture filter's own settings pages, shown in a modal frame.
#include "dshowbase/InfoOwners.h"
#include "engine/include/CameraApi.h"
#include "engine/win/CaptureEngineState.h"
#include "engine/win/ExportGuard.h"
#include "failtrail/FailTrail.h"
#include "winowners/ComOwners.h"

#include <olectl.h>

namespace camera {

namespace {

int ShowCameraPages(HWND parent) {
    CaptureEngineState& state = Engine();
    if (!state.values.ready || !state.videoCapture) return 0;
    ComPtr<ISpecifyPropertyPages> pages;
    RETURN_VALUE_IF_FAILED(0, QueryTo(state.videoCapture.Get(), IID_ISpecifyPropertyPages, pages));
    // The caption is the name the filter carries in the graph.
    dshowbase::CFilterInfo info;
    RETURN_VALUE_IF_FAILED(0, state.videoCapture->QueryFilterInfo(info.put()));
    const std::wstring caption = info.Name();
    ComPtr<IUnknown> object;
    RETURN_VALUE_IF_FAILED(0, QueryTo(state.videoCapture.Get(), IID_IUnknown, object));
    CAUUID pageIds{};
    RETURN_VALUE_IF_FAILED(0, pages->GetPages(&pageIds));
    // The filter allocates the list; it is ours to free.
    const winowners::UniqueCoTaskMem<GUID> pageList(pageIds.pElems);
    IUnknown* objects[] = {object.Get()};
    OleCreatePropertyFrame(parent, 0, 0, caption.c_str(), 1, objects, pageIds.cElems, pageList.get(), 0, 0, nullptr);
    return 1;
}

}  // namespace

}  // namespace camera

using namespace camera;

CAMERA_API int CAMERA_CALL DisplayCameraAdvancedSetting(HWND parent) {
    return GuardedExport([=] { return ShowCameraPages(parent); });
}
