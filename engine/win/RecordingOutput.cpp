#include "engine/win/RecordingOutput.h"

#include "engine/win/PinHelpers.h"

namespace camera {

namespace {

HRESULT AddNewFilter(IGraphBuilder* graph, REFCLSID clsid, const wchar_t* name, ComPtr<IBaseFilter>& filter) {
    HRESULT hr = CreateInstance(clsid, IID_IBaseFilter, filter);
    if (SUCCEEDED(hr)) hr = graph->AddFilter(filter.Get(), name);
    return hr;
}

// The AVI Mux is connected to its file writer before any input, as the
// capture graph builder does it: a mux may size its output only once, from
// the moment it has a writer.
HRESULT MakeAviOutput(IGraphBuilder* graph, ComPtr<IBaseFilter>& mux, ComPtr<IBaseFilter>& sinkFilter) {
    HRESULT hr = AddNewFilter(graph, CLSID_AviDest, L"AVI Mux", mux);
    if (FAILED(hr)) return hr;
    PrepareAviMux(mux.Get());
    hr = AddNewFilter(graph, CLSID_FileWriter, L"File writer", sinkFilter);
    if (SUCCEEDED(hr)) hr = ConnectFilters(graph, mux.Get(), nullptr, sinkFilter.Get(), nullptr);
    return hr;
}

// The WM ASF writer is its own multiplexer and sink.
HRESULT MakeAsfOutput(IGraphBuilder* graph, ComPtr<IBaseFilter>& mux, ComPtr<IBaseFilter>& sinkFilter) {
    HRESULT hr = AddNewFilter(graph, CLSID_WMAsfWriter, L"WM ASF Writer", mux);
    sinkFilter = mux;
    return hr;
}

}  // namespace

void PrepareAviMux(IBaseFilter* mux) {
    ComPtr<IConfigInterleaving> interleaving;
    if (FAILED(QueryTo(mux, IID_IConfigInterleaving, interleaving))) return;
    // Capture interleaving suits live sources: samples are written about as
    // they come, and no stream waits long for another. A mux that cannot
    // confirm that mode gets full interleaving, which every AVI Mux
    // implements.
    InterleavingMode mode = INTERLEAVE_NONE;
    if (SUCCEEDED(interleaving->put_Mode(INTERLEAVE_CAPTURE)) && SUCCEEDED(interleaving->get_Mode(&mode)) &&
        mode == INTERLEAVE_CAPTURE)
        return;
    interleaving->put_Mode(INTERLEAVE_FULL);
}

HRESULT SetOutputFile(ICaptureGraphBuilder2* builder, IGraphBuilder* graph, const GUID& subtype, const wchar_t* path,
                      ComPtr<IBaseFilter>& mux, ComPtr<IFileSinkFilter>& sink) {
    mux.Reset();
    sink.Reset();
    if (builder == nullptr || graph == nullptr || path == nullptr) return E_POINTER;
    HRESULT hr = builder->SetOutputFileName(&subtype, path, mux.GetAddressOf(), sink.GetAddressOf());
    if (hr != E_NOTIMPL) return hr;

    mux.Reset();
    sink.Reset();
    ComPtr<IBaseFilter> sinkFilter;
    if (subtype == MEDIASUBTYPE_Avi)
        hr = MakeAviOutput(graph, mux, sinkFilter);
    else if (subtype == MEDIASUBTYPE_Asf)
        hr = MakeAsfOutput(graph, mux, sinkFilter);
    else
        hr = E_INVALIDARG;
    if (SUCCEEDED(hr)) hr = QueryTo(sinkFilter.Get(), IID_IFileSinkFilter, sink);
    if (SUCCEEDED(hr)) hr = sink->SetFileName(path, nullptr);
    return hr;
}

}  // namespace camera
