#include "engine/tests/PreviewSupport.h"

#include "dshowbase/InfoOwners.h"
#include "dshowbase/MediaType.h"
#include "engine/win/CaptureEngineState.h"
#include "engine/win/FilterLookup.h"
#include "MessagePump.h"

namespace enginetest {

using camera::ComPtr;

bool EffectFilterRegistered() {
    ComPtr<IBaseFilter> effect;
    return SUCCEEDED(camera::FindFilterByName(CLSID_LegacyAmFilterCategory, effect, L"Vimbrel_Effect"));
}

void PreviewTest::SetUp() {
    EngineTest::SetUp();
    // The test prefix registers it: missing, the prefix is broken, and the
    // preview tests fail rather than pass as skipped.
    ASSERT_TRUE(EffectFilterRegistered())
        << "the effects filter (Vimbrel_Effect, lenstint.ax) is not registered in this prefix";
    ASSERT_EQ(S_OK, bench_->SetScenePattern(BENCH_SCENE_STILL));
}

ComPtr<IGraphBuilder> PreviewTest::PreviewGraph() const { return camera::Engine().previewGraph.Get(); }

OAFilterState PreviewTest::PreviewState() const {
    OAFilterState state = -1;
    ComPtr<IMediaControl> control;
    if (SUCCEEDED(camera::QueryTo(PreviewGraph().Get(), IID_IMediaControl, control))) control->GetState(500, &state);
    return state;
}

std::vector<std::wstring> PreviewTest::FilterNames() const {
    std::vector<std::wstring> names;
    ComPtr<IGraphBuilder> graph = PreviewGraph();
    ComPtr<IEnumFilters> filters;
    if (!graph || FAILED(graph->EnumFilters(filters.GetAddressOf()))) return names;
    ComPtr<IBaseFilter> filter;
    while (filters->Next(1, filter.ReleaseAndGetAddressOf(), nullptr) == S_OK) {
        dshowbase::CFilterInfo info;
        if (SUCCEEDED(filter->QueryFilterInfo(info.put()))) names.push_back(info.Name());
    }
    return names;
}

bool PreviewTest::WaitForGrabbedFrame(std::vector<BYTE>& frame, LONG& width, LONG& height) {
    ISampleGrabber* grabber = camera::Engine().grabber.Get();
    if (grabber == nullptr) return false;
    LONGLONG delivered = 0;
    const bool arrived = testbench::PumpUntil(
        [&] {
            long size = 0;
            bench_->GetDeliveredFrames(&delivered);
            return delivered >= 3 && SUCCEEDED(grabber->GetCurrentBuffer(&size, nullptr)) && size > 0;
        },
        5000);
    if (!arrived) return false;
    dshowbase::CMediaType type;
    if (FAILED(grabber->GetConnectedMediaType(&type))) return false;
    const auto* info = reinterpret_cast<const VIDEOINFOHEADER*>(type.pbFormat);
    width = info->bmiHeader.biWidth;
    height = info->bmiHeader.biHeight;
    long size = 0;
    grabber->GetCurrentBuffer(&size, nullptr);
    frame.resize(static_cast<size_t>(size));
    return SUCCEEDED(grabber->GetCurrentBuffer(&size, reinterpret_cast<long*>(frame.data())));
}

SIZE PreviewTest::GrabbedFrameSize() {
    std::vector<BYTE> frame;
    LONG width = 0;
    LONG height = 0;
    if (!WaitForGrabbedFrame(frame, width, height)) return SIZE{0, 0};
    return SIZE{width, height};
}

std::vector<BYTE> PreviewTest::SceneFrame(LONG width, LONG height) {
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~static_cast<size_t>(3);
    std::vector<BYTE> frame(stride * static_cast<size_t>(height));
    if (FAILED(bench_->RenderFrame(width, height, 0, frame.data(), static_cast<DWORD>(frame.size())))) frame.clear();
    return frame;
}

}  // namespace enginetest
