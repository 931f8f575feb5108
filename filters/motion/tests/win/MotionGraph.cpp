#include "MotionGraph.h"

#include <algorithm>

namespace motiontest {

namespace {

LONG_PTR Words(int low, int high) { return static_cast<LONG_PTR>(static_cast<LONG>(MAKELONG(low, high))); }

}  // namespace

const GraphEvent kBaseFrameSet{EC_BASE_FRAME_SET, 0, 0};

GraphEvent MotionAt(int left, int top, int right, int bottom) {
    return GraphEvent{EC_MOTION_DETECTED, Words(left, top), Words(right, bottom)};
}

void PrintTo(const GraphEvent& e, std::ostream* os) {
    const auto low = [](LONG_PTR v) { return static_cast<int>(LOWORD(static_cast<DWORD>(v))); };
    const auto high = [](LONG_PTR v) { return static_cast<int>(HIWORD(static_cast<DWORD>(v))); };
    if (e.code == EC_BASE_FRAME_SET && e.param1 == 0 && e.param2 == 0) {
        *os << "base";
        return;
    }
    *os << (e.code == EC_MOTION_DETECTED ? "motion" : "event") << "(" << low(e.param1) << "," << high(e.param1) << ","
        << low(e.param2) << "," << high(e.param2) << ")";
}

MotionGraph::MotionGraph() {
    if (!sink.graph) return;
    // No clock: frames are handed on as they come, so none is dropped late.
    ComPtr<IMediaFilter> mediaFilter;
    if (SUCCEEDED(sink.graph.As(&mediaFilter))) mediaFilter->SetSyncSource(nullptr);
    motion = benchtest::BindDevice(CLSID_LegacyAmFilterCategory, L"Zavu Motion Detect Filter");
    if (motion) motion.As(&settings);
}

HRESULT MotionGraph::Build(IBaseFilter* from, IPin* sourceOutput) {
    if (!sink.graph || !sink.grabber || !sink.renderer || !motion || !from || !sourceOutput) return E_FAIL;
    source = from;
    sink.Add(from, L"source");
    sink.Add(motion.Get(), L"Motion Detection");
    HRESULT hr = sink.Connect(sourceOutput, benchtest::FirstPin(motion.Get(), PINDIR_INPUT).Get());
    if (FAILED(hr)) return hr;
    hr = sink.Connect(benchtest::FirstPin(motion.Get(), PINDIR_OUTPUT).Get(), sink.GrabberInput());
    if (FAILED(hr)) return hr;
    return sink.Connect(benchtest::FirstPin(sink.grabber.Get(), PINDIR_OUTPUT).Get(),
                        benchtest::FirstPin(sink.renderer.Get(), PINDIR_INPUT).Get());
}

HRESULT MotionGraph::BuildWithCamera() {
    ComPtr<IBaseFilter> camera = benchtest::BindDevice(CLSID_VideoInputDeviceCategory, BENCH_CAMERA_NAME);
    if (!camera) return E_FAIL;
    return Build(camera.Get(), benchtest::FindPin(camera.Get(), L"Capture").Get());
}

HRESULT MotionGraph::BuildScripted(const dshowbase::CMediaType& type, FramePainter painter) {
    ComPtr<IBaseFilter> scripted = new basetest::CScriptedSource(type, std::move(painter));
    return Build(scripted.Get(), benchtest::FirstPin(scripted.Get(), PINDIR_OUTPUT).Get());
}

HRESULT MotionGraph::Pause() { return sink.control->Pause(); }
HRESULT MotionGraph::Run() { return sink.control->Run(); }

std::vector<GraphEvent> MotionGraph::MotionEvents(size_t count, DWORD timeoutMs) {
    std::vector<GraphEvent> out;
    const DWORD start = GetTickCount();
    while (out.size() < count) {
        const DWORD spent = GetTickCount() - start;
        const long wait = spent < timeoutMs ? static_cast<long>(std::min<DWORD>(50, timeoutMs - spent)) : 0;
        long code = 0;
        LONG_PTR p1 = 0, p2 = 0;
        if (sink.events->GetEvent(&code, &p1, &p2, wait) != S_OK) {
            if (wait == 0) break;
            continue;
        }
        sink.events->FreeEventParams(code, p1, p2);
        if (code == EC_MOTION_DETECTED || code == EC_BASE_FRAME_SET) out.push_back(GraphEvent{code, p1, p2});
    }
    return out;
}

std::vector<GraphEvent> MotionGraph::PendingMotionEvents() { return MotionEvents(static_cast<size_t>(-1), 0); }

}  // namespace motiontest
