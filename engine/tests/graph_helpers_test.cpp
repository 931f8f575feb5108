// The engine's graph routines against Wine's own DirectShow filters: filter
// lookup by friendly name, pin search, emptying graphs, video windows, and
// the power-resume retry.
#include "BenchDevices.h"
#include "engine/win/CaptureEngineState.h"
#include "engine/win/FilterLookup.h"
#include "engine/win/GraphTeardown.h"
#include "engine/win/PinHelpers.h"
#include "engine/win/PowerResume.h"
#include "engine/tests/TestHostWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace camera {
namespace {

class GraphHelpers : public ::testing::Test {
protected:
    void SetUp() override { CoInitialize(nullptr); }
    void TearDown() override { CoUninitialize(); }
};

int CountFilters(IGraphBuilder* graph) {
    ComPtr<IEnumFilters> filters;
    graph->EnumFilters(filters.GetAddressOf());
    int count = 0;
    ComPtr<IBaseFilter> filter;
    while (filters->Next(1, filter.ReleaseAndGetAddressOf(), nullptr) == S_OK) ++count;
    return count;
}

TEST_F(GraphHelpers, FilterLookupMatchesTheStartOfTheFriendlyNameCaseSensitively) {
    ComPtr<IBaseFilter> tee;
    ASSERT_EQ(S_OK, FindFilterByName(CLSID_LegacyAmFilterCategory, tee, L"Smart Tee"));
    CLSID clsid{};
    ASSERT_EQ(S_OK, tee->GetClassID(&clsid));
    EXPECT_EQ(CLSID_SmartTee, clsid);

    ComPtr<IBaseFilter> byPrefix;
    EXPECT_EQ(S_OK, FindFilterByName(CLSID_LegacyAmFilterCategory, byPrefix, L"Smart T"));
    ComPtr<IBaseFilter> missing;
    EXPECT_EQ(VFW_E_NOT_FOUND, FindFilterByName(CLSID_LegacyAmFilterCategory, missing, L"smart tee"));
    EXPECT_EQ(VFW_E_NOT_FOUND, FindFilterByName(CLSID_LegacyAmFilterCategory, missing, L"Smart Tee plus"));
    EXPECT_FALSE(missing);
    // A category nobody registered anything in.
    const GUID empty = {0x5a1f0c2e, 0x2b7d, 0x4c61, {0x9e, 0x33, 0x1d, 0x0a, 0x64, 0x52, 0x77, 0x10}};
    EXPECT_EQ(VFW_E_NOT_FOUND, FindFilterByName(empty, missing, L"Smart Tee"));
}

TEST_F(GraphHelpers, PinSearchByDirectionNameAndPosition) {
    ComPtr<IBaseFilter> tee;
    ASSERT_EQ(S_OK, CreateInstance(CLSID_SmartTee, IID_IBaseFilter, tee));
    ComPtr<IPin> pin;

    ASSERT_EQ(S_OK, FindPin(tee.Get(), PINDIR_OUTPUT, L"pREVIEW", pin));
    EXPECT_EQ(L"Preview", PinName(pin.Get()));
    ASSERT_EQ(S_OK, FindPin(tee.Get(), PINDIR_OUTPUT, L"apt", pin));
    EXPECT_EQ(L"Capture", PinName(pin.Get()));
    EXPECT_EQ(E_FAIL, FindPin(tee.Get(), PINDIR_OUTPUT, L"Input", pin));
    EXPECT_FALSE(pin);
    ASSERT_EQ(S_OK, FindPin(tee.Get(), PINDIR_INPUT, nullptr, pin));
    PIN_DIRECTION direction;
    pin->QueryDirection(&direction);
    EXPECT_EQ(PINDIR_INPUT, direction);
    EXPECT_EQ(E_FAIL, FindPin(nullptr, PINDIR_INPUT, nullptr, pin));

    ASSERT_EQ(S_OK, FindNthPin(tee.Get(), PINDIR_OUTPUT, 1, pin));
    EXPECT_EQ(L"Preview", PinName(pin.Get()));
    ASSERT_EQ(S_OK, FindNthPin(tee.Get(), PINDIR_OUTPUT, 0, pin));
    EXPECT_EQ(L"Capture", PinName(pin.Get()));
    EXPECT_EQ(E_FAIL, FindNthPin(tee.Get(), PINDIR_OUTPUT, 2, pin));
    EXPECT_EQ(E_FAIL, FindNthPin(tee.Get(), PINDIR_INPUT, 1, pin));
    EXPECT_EQ(E_FAIL, FindNthPin(tee.Get(), PINDIR_INPUT, -1, pin));
    EXPECT_EQ(E_POINTER, FindNthPin(nullptr, PINDIR_INPUT, 0, pin));
}

// The bench camera and a pass-through standing in for the effect, added to
// a new graph but not connected.
struct CCameraGraph {
    ComPtr<IBaseFilter> camera;
    ComPtr<IBaseFilter> passThrough;
    ComPtr<IGraphBuilder> graph;

    HRESULT Create() {
        HRESULT hr = CreateInstance(CLSID_BenchCamera, IID_IBaseFilter, camera);
        if (SUCCEEDED(hr)) hr = CreateInstance(CLSID_BenchPassThrough, IID_IBaseFilter, passThrough);
        if (SUCCEEDED(hr)) hr = CreateInstance(CLSID_FilterGraph, IID_IGraphBuilder, graph);
        if (SUCCEEDED(hr)) hr = graph->AddFilter(camera.Get(), L"Video Capture");
        if (SUCCEEDED(hr)) hr = graph->AddFilter(passThrough.Get(), L"Effect");
        return hr;
    }

    HRESULT Connect() { return ConnectFilters(graph.Get(), camera.Get(), nullptr, passThrough.Get(), nullptr); }
};

TEST_F(GraphHelpers, UnnamedSearchPassesOverStillPinsAndConnectedPins) {
    // The bench camera lists its still pin before its capture pin.
    CCameraGraph made;
    ASSERT_EQ(S_OK, made.Create());
    IBaseFilter* camera = made.camera.Get();
    IBaseFilter* passThrough = made.passThrough.Get();
    IGraphBuilder* graph = made.graph.Get();
    ComPtr<IPin> pin;
    ASSERT_EQ(S_OK, FindNthPin(camera, PINDIR_OUTPUT, 0, pin));
    EXPECT_EQ(L"Still", PinName(pin.Get()));
    ASSERT_EQ(S_OK, FindPin(camera, PINDIR_OUTPUT, nullptr, pin));
    EXPECT_EQ(L"Capture", PinName(pin.Get()));
    ASSERT_EQ(S_OK, FindPin(camera, PINDIR_OUTPUT, L"still", pin));
    EXPECT_EQ(L"Still", PinName(pin.Get()));

    ASSERT_EQ(S_OK, ConnectFilters(graph, camera, nullptr, passThrough, nullptr));
    ComPtr<IPin> peer;
    ASSERT_EQ(S_OK, FindNthPin(camera, PINDIR_OUTPUT, 1, pin));
    EXPECT_EQ(S_OK, pin->ConnectedTo(peer.GetAddressOf()));
    // Now the only free output is the still pin, which an unnamed search
    // does not take; the positional search still sees both.
    EXPECT_EQ(E_FAIL, FindPin(camera, PINDIR_OUTPUT, nullptr, pin));
    EXPECT_EQ(E_FAIL, FindPin(passThrough, PINDIR_INPUT, nullptr, pin));
    EXPECT_EQ(S_OK, FindNthPin(passThrough, PINDIR_INPUT, 0, pin));
    TearDownGraph(graph);
}

TEST_F(GraphHelpers, ABusyCameraRefusesToConnect) {
    ComPtr<IBenchDeviceControl> bench;
    ASSERT_EQ(S_OK, CreateInstance(CLSID_BenchDeviceControl, IID_IBenchDeviceControl, bench));
    CCameraGraph made;
    ASSERT_EQ(S_OK, made.Create());
    bench->SetCameraBusy(TRUE);
    EXPECT_EQ(E_FAIL, made.Connect());
    bench->SetCameraBusy(FALSE);
    EXPECT_EQ(S_OK, made.Connect());
    TearDownGraph(made.graph.Get());
    bench->Reset();
}

TEST_F(GraphHelpers, ConnectFailsCleanlyWhenAPinIsMissing) {
    ComPtr<IGraphBuilder> graph;
    ComPtr<IBaseFilter> tee;
    ASSERT_EQ(S_OK, CreateInstance(CLSID_FilterGraph, IID_IGraphBuilder, graph));
    ASSERT_EQ(S_OK, CreateInstance(CLSID_SmartTee, IID_IBaseFilter, tee));
    ASSERT_EQ(S_OK, graph->AddFilter(tee.Get(), L"Smart Tee"));
    EXPECT_EQ(E_FAIL, ConnectFilters(graph.Get(), tee.Get(), L"No such pin", tee.Get(), nullptr));
    EXPECT_EQ(E_FAIL, ConnectFilters(graph.Get(), tee.Get(), nullptr, nullptr, nullptr));
    EXPECT_EQ(E_FAIL, ConnectFilters(nullptr, tee.Get(), nullptr, tee.Get(), nullptr));
}

TEST_F(GraphHelpers, TearDownEmptiesAGraph) {
    ComPtr<IGraphBuilder> graph;
    ASSERT_EQ(S_OK, CreateInstance(CLSID_FilterGraph, IID_IGraphBuilder, graph));
    for (const wchar_t* name : {L"Tee 1", L"Tee 2", L"Tee 3"}) {
        ComPtr<IBaseFilter> tee;
        ASSERT_EQ(S_OK, CreateInstance(CLSID_SmartTee, IID_IBaseFilter, tee));
        ASSERT_EQ(S_OK, graph->AddFilter(tee.Get(), name));
    }
    ASSERT_EQ(3, CountFilters(graph.Get()));
    EXPECT_EQ(S_OK, TearDownGraph(graph.Get()));
    EXPECT_EQ(0, CountFilters(graph.Get()));
    EXPECT_EQ(S_OK, TearDownGraph(graph.Get()));
    EXPECT_EQ(S_OK, TearDownGraph(nullptr));
}

// A graph that lists one filter and never lets it go.
class CStubbornGraph : public IGraphBuilder, public IEnumFilters {
public:
    explicit CStubbornGraph(IBaseFilter* filter) : filter_(filter) {}
    int removeCalls = 0;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE AddFilter(IBaseFilter*, LPCWSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE RemoveFilter(IBaseFilter*) override {
        ++removeCalls;
        return E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE EnumFilters(IEnumFilters** out) override {
        *out = this;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE FindFilterByName(LPCWSTR, IBaseFilter**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ConnectDirect(IPin*, IPin*, const AM_MEDIA_TYPE*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reconnect(IPin*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Disconnect(IPin*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetDefaultSyncSource() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Connect(IPin*, IPin*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Render(IPin*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE RenderFile(LPCWSTR, LPCWSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE AddSourceFilter(LPCWSTR, LPCWSTR, IBaseFilter**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetLogFile(DWORD_PTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Abort() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ShouldOperationContinue() override { return E_NOTIMPL; }

    HRESULT STDMETHODCALLTYPE Next(ULONG, IBaseFilter** out, ULONG* fetched) override {
        filter_->AddRef();
        *out = filter_;
        if (fetched != nullptr) *fetched = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Reset() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Clone(IEnumFilters**) override { return E_NOTIMPL; }

private:
    IBaseFilter* filter_;
};

TEST_F(GraphHelpers, TearDownGivesUpOnAFilterTheGraphWillNotRemove) {
    ComPtr<IBaseFilter> tee;
    ASSERT_EQ(S_OK, CreateInstance(CLSID_SmartTee, IID_IBaseFilter, tee));
    CStubbornGraph graph(tee.Get());
    EXPECT_EQ(S_OK, TearDownGraph(static_cast<IGraphBuilder*>(&graph)));
    EXPECT_EQ(1, graph.removeCalls);
}

TEST_F(GraphHelpers, VideoWindowNeedsAGraphAWindowAndARenderer) {
    enginetest::CTestHostWindow host;
    ComPtr<IGraphBuilder> graph;
    ASSERT_EQ(S_OK, CreateInstance(CLSID_FilterGraph, IID_IGraphBuilder, graph));
    EXPECT_EQ(E_FAIL, AttachVideoWindow(nullptr, host.Handle()));
    EXPECT_EQ(E_FAIL, AttachVideoWindow(graph.Get(), nullptr));
    EXPECT_TRUE(FAILED(AttachVideoWindow(graph.Get(), host.Handle())));
    EXPECT_EQ(nullptr, GetWindow(host.Handle(), GW_CHILD));
}

class CCountingSleeper : public ISleeper {
public:
    void Sleep(unsigned ms) override { waits.push_back(ms); }
    std::vector<unsigned> waits;
};

TEST_F(GraphHelpers, ResumeEndsAnyRecordingAndRetriesTheFormatInPreviewModes) {
    CaptureEngineState& state = Engine();
    state.values.ready = true;
    state.values.captureState = kRecordingAudio;
    state.values.requestedMode = kModeImage;
    state.values.currentFormatIndex = kNoFormatIndex;
    CCountingSleeper sleeper;
    ResumeAfterSuspend(state, sleeper);
    EXPECT_EQ(kIdle, state.values.captureState);
    EXPECT_EQ(std::vector<unsigned>(6, 500u), sleeper.waits);
    EXPECT_FALSE(state.previewGraph);

    state.values.captureState = kMonitoring;
    state.values.requestedMode = kModeAudio;
    sleeper.waits.clear();
    ResumeAfterSuspend(state, sleeper);
    EXPECT_EQ(kIdle, state.values.captureState);
    EXPECT_TRUE(sleeper.waits.empty());
    state.values = EngineValues{};
}

}  // namespace
}  // namespace camera
