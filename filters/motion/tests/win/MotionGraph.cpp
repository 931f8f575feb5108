#include "MotionGraph.h"

namespace motiontest {

STDMETHODIMP CFrameKeeper::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (riid == IID_IUnknown || riid == __uuidof(ISampleGrabberCB)) {
        *ppv = static_cast<ISampleGrabberCB*>(this);
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP CFrameKeeper::SampleCB(double, IMediaSample* sample) {
    BYTE* data = nullptr;
    if (FAILED(sample->GetPointer(&data))) return S_OK;
    const long length = sample->GetActualDataLength();
    std::lock_guard<std::mutex> hold(lock_);
    frames_.emplace_back(data, data + (length > 0 ? length : 0));
    return S_OK;
}

std::vector<std::vector<BYTE>> CFrameKeeper::Frames() {
    std::lock_guard<std::mutex> hold(lock_);
    return frames_;
}

size_t CFrameKeeper::Count() {
    std::lock_guard<std::mutex> hold(lock_);
    return frames_.size();
}

ComPtr<IPin> FirstPin(IBaseFilter* filter, PIN_DIRECTION direction) {
    ComPtr<IEnumPins> pins;
    if (FAILED(filter->EnumPins(&pins))) return nullptr;
    ComPtr<IPin> pin;
    while (pins->Next(1, pin.ReleaseAndGetAddressOf(), nullptr) == S_OK) {
        PIN_DIRECTION d;
        if (SUCCEEDED(pin->QueryDirection(&d)) && d == direction) return pin;
    }
    return nullptr;
}

MotionGraph::MotionGraph() {
    CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&graph));
    if (!graph) return;
    graph.As(&control);
    graph->QueryInterface(IID_IMediaEventEx, reinterpret_cast<void**>(events.GetAddressOf()));
    // No clock: frames are shown as they come, so none is dropped.
    ComPtr<IMediaFilter> mediaFilter;
    if (SUCCEEDED(graph.As(&mediaFilter))) mediaFilter->SetSyncSource(nullptr);
    CoCreateInstance(CLSID_MotionFilter, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&motion));
    if (motion) motion.As(&settings);
    CoCreateInstance(kClsidSampleGrabber, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&grabber));
    CoCreateInstance(kClsidNullRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&renderer));
}

MotionGraph::~MotionGraph() {
    if (control) control->Stop();
}

HRESULT MotionGraph::Build(const dshowbase::CMediaType& type, FramePainter painter) {
    if (!graph || !motion || !grabber || !renderer) return E_FAIL;
    source = new CScriptedSource(type, std::move(painter));
    sourceFilter = source;
    graph->AddFilter(sourceFilter.Get(), L"source");
    graph->AddFilter(motion.Get(), L"Motion Detection");
    graph->AddFilter(grabber.Get(), L"grabber");
    graph->AddFilter(renderer.Get(), L"renderer");
    ComPtr<ISampleGrabber> grab;
    if (SUCCEEDED(grabber.As(&grab))) {
        grab->SetBufferSamples(FALSE);
        grab->SetCallback(&frames, 0);
    }
    HRESULT hr = graph->ConnectDirect(FirstPin(sourceFilter.Get(), PINDIR_OUTPUT).Get(),
                                      FirstPin(motion.Get(), PINDIR_INPUT).Get(), nullptr);
    if (FAILED(hr)) return hr;
    hr = graph->ConnectDirect(FirstPin(motion.Get(), PINDIR_OUTPUT).Get(),
                              FirstPin(grabber.Get(), PINDIR_INPUT).Get(), nullptr);
    if (FAILED(hr)) return hr;
    return graph->ConnectDirect(FirstPin(grabber.Get(), PINDIR_OUTPUT).Get(),
                                FirstPin(renderer.Get(), PINDIR_INPUT).Get(), nullptr);
}

HRESULT MotionGraph::Run() { return control->Run(); }
HRESULT MotionGraph::Stop() { return control->Stop(); }

std::vector<GraphEvent> MotionGraph::MotionEvents(size_t count, DWORD timeoutMs) {
    std::vector<GraphEvent> out;
    const DWORD start = GetTickCount();
    while (out.size() < count && GetTickCount() - start < timeoutMs) {
        long code = 0;
        LONG_PTR p1 = 0, p2 = 0;
        if (events->GetEvent(&code, &p1, &p2, 50) != S_OK) continue;
        events->FreeEventParams(code, p1, p2);
        if (code == EC_MOTION_DETECTED || code == EC_BASE_FRAME_SET) out.push_back(GraphEvent{code, p1, p2});
    }
    return out;
}

bool MotionGraph::WaitForFrames(size_t count, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (frames.Count() < count) {
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(10);
    }
    return true;
}

}  // namespace motiontest
