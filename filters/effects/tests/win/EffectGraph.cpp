#include "EffectGraph.h"

#include "dshowbase/ClassIds.h"

namespace lenstinttest {

STDMETHODIMP CFrameKeeper::QueryInterface(REFIID riid, void** ppv) {
    if (ppv == nullptr) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_ISampleGrabberCB) {
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
    GrabbedFrame frame;
    frame.bytes.assign(data, data + (length > 0 ? length : 0));
    LONGLONG start = 0, stop = 0;
    if (sample->GetMediaTime(&start, &stop) == S_OK) frame.mediaTime = start;
    std::lock_guard<std::mutex> hold(lock_);
    frames_.push_back(std::move(frame));
    return S_OK;
}

std::vector<GrabbedFrame> CFrameKeeper::Frames() {
    std::lock_guard<std::mutex> hold(lock_);
    return frames_;
}

size_t CFrameKeeper::Count() {
    std::lock_guard<std::mutex> hold(lock_);
    return frames_.size();
}

void CFrameKeeper::Clear() {
    std::lock_guard<std::mutex> hold(lock_);
    frames_.clear();
}

ComPtr<IMoniker> MonikerByFriendlyName(const wchar_t* name) {
    ComPtr<ICreateDevEnum> devices;
    ComPtr<IEnumMoniker> monikers;
    if (FAILED(CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&devices))) ||
        devices->CreateClassEnumerator(CLSID_LegacyAmFilterCategory, &monikers, 0) != S_OK) {
        return nullptr;
    }
    ComPtr<IMoniker> moniker;
    while (monikers->Next(1, moniker.ReleaseAndGetAddressOf(), nullptr) == S_OK) {
        ComPtr<IPropertyBag> bag;
        if (FAILED(moniker->BindToStorage(nullptr, nullptr, IID_PPV_ARGS(&bag)))) continue;
        VARIANT value;
        VariantInit(&value);
        const bool match = SUCCEEDED(bag->Read(L"FriendlyName", &value, nullptr)) && value.vt == VT_BSTR &&
                           lstrcmpW(value.bstrVal, name) == 0;
        VariantClear(&value);
        if (match) return moniker;
    }
    return nullptr;
}

ComPtr<IBaseFilter> FilterByFriendlyName(const wchar_t* name) {
    const ComPtr<IMoniker> moniker = MonikerByFriendlyName(name);
    ComPtr<IBaseFilter> filter;
    if (moniker) moniker->BindToObject(nullptr, nullptr, IID_PPV_ARGS(&filter));
    return filter;
}

ComPtr<IPin> FirstPin(IBaseFilter* filter, PIN_DIRECTION direction) {
    ComPtr<IEnumPins> pins;
    if (filter == nullptr || FAILED(filter->EnumPins(&pins))) return nullptr;
    ComPtr<IPin> pin;
    while (pins->Next(1, pin.ReleaseAndGetAddressOf(), nullptr) == S_OK) {
        PIN_DIRECTION d;
        if (SUCCEEDED(pin->QueryDirection(&d)) && d == direction) return pin;
    }
    return nullptr;
}

CEffectGraph::CEffectGraph() {
    CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&graph));
    if (!graph) return;
    graph.As(&control);
    // No clock: every frame is passed on as it comes, none dropped.
    ComPtr<IMediaFilter> mediaFilter;
    if (SUCCEEDED(graph.As(&mediaFilter))) mediaFilter->SetSyncSource(nullptr);
    effect = FilterByFriendlyName(VIMBREL_EFFECT_FILTER_NAME);
    if (effect) effect.As(&settings);
    CoCreateInstance(dshowbase::CLSID_SampleGrabber, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&grabber));
    CoCreateInstance(dshowbase::CLSID_NullRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&renderer));
}

CEffectGraph::~CEffectGraph() {
    if (control) control->Stop();
    // Take the filters out so a shared effects filter can join another graph.
    if (graph && effect) graph->RemoveFilter(effect.Get());
}

void CEffectGraph::UseEffect(IBaseFilter* filter) {
    effect = filter;
    settings.Reset();
    if (effect) effect.As(&settings);
}

HRESULT CEffectGraph::Build(IBaseFilter* source, IPin* sourcePin) {
    if (!graph || !effect || !grabber || !renderer || source == nullptr) return E_FAIL;
    graph->AddFilter(source, L"source");
    graph->AddFilter(effect.Get(), VIMBREL_EFFECT_FILTER_NAME);
    graph->AddFilter(grabber.Get(), L"grabber");
    graph->AddFilter(renderer.Get(), L"renderer");
    ComPtr<ISampleGrabber> grab;
    if (SUCCEEDED(grabber.As(&grab))) {
        AM_MEDIA_TYPE type{};
        type.majortype = MEDIATYPE_Video;
        type.subtype = MEDIASUBTYPE_RGB24;
        grab->SetMediaType(&type);
        grab->SetBufferSamples(FALSE);
        grab->SetCallback(&frames, 0);
    }
    ComPtr<IPin> output = sourcePin != nullptr ? ComPtr<IPin>(sourcePin) : FirstPin(source, PINDIR_OUTPUT);
    HRESULT hr = graph->ConnectDirect(output.Get(), FirstPin(effect.Get(), PINDIR_INPUT).Get(), nullptr);
    if (FAILED(hr)) return hr;
    hr = graph->ConnectDirect(FirstPin(effect.Get(), PINDIR_OUTPUT).Get(), FirstPin(grabber.Get(), PINDIR_INPUT).Get(),
                              nullptr);
    if (FAILED(hr)) return hr;
    return graph->ConnectDirect(FirstPin(grabber.Get(), PINDIR_OUTPUT).Get(),
                                FirstPin(renderer.Get(), PINDIR_INPUT).Get(), nullptr);
}

bool CEffectGraph::WaitForFrames(size_t count, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (frames.Count() < count) {
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(5);
    }
    return true;
}

}  // namespace lenstinttest
