#include "AnyProgram.h"

#include <olectl.h>

namespace benchtest {

using Microsoft::WRL::ComPtr;

std::vector<CLSID> FiltersTakingVideo(const GUID& subtype, DWORD merit) {
    std::vector<CLSID> found;
    ComPtr<IFilterMapper2> mapper;
    if (FAILED(CoCreateInstance(CLSID_FilterMapper2, nullptr, CLSCTX_INPROC_SERVER, IID_IFilterMapper2,
                                reinterpret_cast<void**>(mapper.GetAddressOf()))))
        return found;
    const GUID input[2] = {MEDIATYPE_Video, subtype};
    ComPtr<IEnumMoniker> monikers;
    if (mapper->EnumMatchingFilters(monikers.GetAddressOf(), 0, FALSE, merit, TRUE, 1, input, nullptr, nullptr, FALSE,
                                    FALSE, 0, nullptr, nullptr, nullptr) != S_OK)
        return found;
    ComPtr<IMoniker> moniker;
    while (monikers->Next(1, moniker.ReleaseAndGetAddressOf(), nullptr) == S_OK) {
        ComPtr<IPropertyBag> bag;
        if (FAILED(moniker->BindToStorage(nullptr, nullptr, IID_IPropertyBag,
                                          reinterpret_cast<void**>(bag.GetAddressOf()))))
            continue;
        VARIANT text;
        VariantInit(&text);
        CLSID clsid{};
        if (SUCCEEDED(bag->Read(L"CLSID", &text, nullptr)) && text.vt == VT_BSTR &&
            SUCCEEDED(CLSIDFromString(text.bstrVal, &clsid)))
            found.push_back(clsid);
        VariantClear(&text);
    }
    return found;
}

namespace {

struct ControlSearch {
    int id;
    HWND found;
};

BOOL CALLBACK MatchControl(HWND child, LPARAM param) {
    auto* search = reinterpret_cast<ControlSearch*>(param);
    if (GetDlgCtrlID(child) != search->id) return TRUE;
    search->found = child;
    return FALSE;
}

}  // namespace

HWND FindControl(HWND top, int id) {
    ControlSearch search{id, nullptr};
    EnumChildWindows(top, &MatchControl, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HRESULT ShowPropertyFrame(IUnknown* filter) {
    ComPtr<ISpecifyPropertyPages> specify;
    HRESULT hr = filter->QueryInterface(IID_ISpecifyPropertyPages, reinterpret_cast<void**>(specify.GetAddressOf()));
    if (FAILED(hr)) return hr;
    CAUUID pages{};
    hr = specify->GetPages(&pages);
    if (FAILED(hr)) return hr;
    const HWND owner = CreateWindowExW(0, L"STATIC", L"pages owner", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                       nullptr, nullptr);
    IUnknown* objects[1] = {filter};
    hr = OleCreatePropertyFrame(owner, 0, 0, L"Filter", 1, objects, pages.cElems, pages.pElems, 0, 0, nullptr);
    CoTaskMemFree(pages.pElems);
    if (owner) DestroyWindow(owner);
    return hr;
}

ComPtr<IStream> SaveToStream(IUnknown* object) {
    ComPtr<IPersistStream> persist;
    ComPtr<IStream> stream;
    if (FAILED(object->QueryInterface(IID_IPersistStream, reinterpret_cast<void**>(persist.GetAddressOf()))) ||
        FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.GetAddressOf())) ||
        FAILED(persist->Save(stream.Get(), TRUE)))
        return nullptr;
    LARGE_INTEGER zero{};
    stream->Seek(zero, STREAM_SEEK_SET, nullptr);
    return stream;
}

CAnyProgramGraph::CAnyProgramGraph() {
    CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                     reinterpret_cast<void**>(graph.GetAddressOf()));
    if (graph) graph.As(&control);
    camera = BindDevice(CLSID_VideoInputDeviceCategory, BENCH_CAMERA_NAME);
    grabber = CreateFilter(dshowbase::CLSID_SampleGrabber);
    if (grabber) grabber.As(&grabberControl);
}

CAnyProgramGraph::~CAnyProgramGraph() {
    if (control) control->Stop();
    if (grabberControl) grabberControl->SetCallback(nullptr, 0);
}

HRESULT CAnyProgramGraph::Build(IBaseFilter* filter) {
    if (!control || !camera || !grabberControl || filter == nullptr) return E_FAIL;
    AM_MEDIA_TYPE wanted{};
    wanted.majortype = MEDIATYPE_Video;
    wanted.subtype = MEDIASUBTYPE_RGB24;
    HRESULT hr = grabberControl->SetMediaType(&wanted);
    if (SUCCEEDED(hr)) hr = grabberControl->SetCallback(&log, 0);
    if (SUCCEEDED(hr)) hr = graph->AddFilter(camera.Get(), L"camera");
    if (SUCCEEDED(hr)) hr = graph->AddFilter(filter, L"filter");
    if (SUCCEEDED(hr)) hr = graph->AddFilter(grabber.Get(), L"grabber");
    if (SUCCEEDED(hr))
        hr = graph->Connect(FindPin(camera.Get(), L"Capture").Get(), FirstPin(filter, PINDIR_INPUT).Get());
    if (SUCCEEDED(hr))
        hr = graph->Connect(FirstPin(filter, PINDIR_OUTPUT).Get(), FirstPin(grabber.Get(), PINDIR_INPUT).Get());
    if (SUCCEEDED(hr)) hr = graph->Render(FirstPin(grabber.Get(), PINDIR_OUTPUT).Get());
    return FAILED(hr) ? hr : S_OK;
}

bool CAnyProgramGraph::RunFor(size_t count, DWORD timeoutMs) {
    const size_t had = log.Samples().size();
    if (FAILED(control->Run())) return false;
    return log.WaitFor(had + count, timeoutMs);
}

}  // namespace benchtest
