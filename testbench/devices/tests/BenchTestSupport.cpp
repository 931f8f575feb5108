#include "BenchTestSupport.h"

namespace benchtest {

void ForEachInCategory(const CLSID& category, const CategoryVisit& visit) {
    ComPtr<ICreateDevEnum> devices;
    if (FAILED(CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER, IID_ICreateDevEnum,
                                reinterpret_cast<void**>(devices.GetAddressOf())))) {
        return;
    }
    ComPtr<IEnumMoniker> monikers;
    if (devices->CreateClassEnumerator(category, monikers.GetAddressOf(), 0) != S_OK) {
        return;
    }
    ComPtr<IMoniker> moniker;
    while (monikers->Next(1, moniker.ReleaseAndGetAddressOf(), nullptr) == S_OK) {
        ComPtr<IPropertyBag> bag;
        if (FAILED(moniker->BindToStorage(nullptr, nullptr, IID_IPropertyBag,
                                          reinterpret_cast<void**>(bag.GetAddressOf())))) {
            continue;
        }
        VARIANT name;
        VariantInit(&name);
        bool more = true;
        if (SUCCEEDED(bag->Read(L"FriendlyName", &name, nullptr)) && name.vt == VT_BSTR) {
            more = visit(moniker.Get(), bag.Get(), name.bstrVal);
        }
        VariantClear(&name);
        if (!more) {
            return;
        }
    }
}

std::vector<std::wstring> DeviceNames(const CLSID& category) {
    std::vector<std::wstring> names;
    ForEachInCategory(category, [&](IMoniker*, IPropertyBag*, const wchar_t* name) {
        names.emplace_back(name);
        return true;
    });
    return names;
}

ComPtr<IBaseFilter> BindDevice(const CLSID& category, const wchar_t* wanted) {
    ComPtr<IBaseFilter> filter;
    ForEachInCategory(category, [&](IMoniker* moniker, IPropertyBag*, const wchar_t* name) {
        if (std::wstring(name) != wanted) {
            return true;
        }
        moniker->BindToObject(nullptr, nullptr, IID_IBaseFilter, reinterpret_cast<void**>(filter.GetAddressOf()));
        return false;
    });
    return filter;
}

ComPtr<IBaseFilter> CreateFilter(const CLSID& clsid) {
    ComPtr<IBaseFilter> filter;
    CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                     reinterpret_cast<void**>(filter.GetAddressOf()));
    return filter;
}

ComPtr<IPin> FindPin(IBaseFilter* filter, const wchar_t* name) {
    ComPtr<IPin> pin;
    if (filter != nullptr) {
        filter->FindPin(name, pin.GetAddressOf());
    }
    return pin;
}

ComPtr<IPin> FirstPin(IBaseFilter* filter, PIN_DIRECTION direction) {
    ComPtr<IEnumPins> pins;
    if (filter == nullptr || FAILED(filter->EnumPins(pins.GetAddressOf()))) {
        return nullptr;
    }
    ComPtr<IPin> pin;
    while (pins->Next(1, pin.ReleaseAndGetAddressOf(), nullptr) == S_OK) {
        PIN_DIRECTION found = PINDIR_INPUT;
        if (SUCCEEDED(pin->QueryDirection(&found)) && found == direction) {
            return pin;
        }
    }
    return nullptr;
}

STDMETHODIMP CGrabberLog::QueryInterface(REFIID riid, void** ppv) {
    if (riid == IID_IUnknown || riid == IID_ISampleGrabberCB) {
        *ppv = static_cast<ISampleGrabberCB*>(this);
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP CGrabberLog::SampleCB(double time, IMediaSample* sample) {
    GrabbedSample grabbed;
    grabbed.seconds = time;
    LONGLONG stop = 0;
    if (sample->GetMediaTime(&grabbed.mediaTime, &stop) != S_OK) {
        grabbed.mediaTime = -1;
    }
    BYTE* data = nullptr;
    if (SUCCEEDED(sample->GetPointer(&data))) {
        grabbed.bytes.assign(data, data + sample->GetActualDataLength());
    }
    std::unique_lock<std::mutex> hold(lock_);
    if (samples_.empty() && holdFirstMs_ > 0) {
        hold.unlock();
        Sleep(holdFirstMs_);
        hold.lock();
    }
    samples_.push_back(std::move(grabbed));
    return S_OK;
}

STDMETHODIMP CGrabberLog::BufferCB(double, BYTE*, long) { return S_OK; }

bool CGrabberLog::WaitFor(size_t count, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        {
            std::lock_guard<std::mutex> hold(lock_);
            if (samples_.size() >= count) {
                return true;
            }
        }
        if (GetTickCount() - start >= timeoutMs) {
            return false;
        }
        Sleep(5);
    }
}

std::vector<GrabbedSample> CGrabberLog::Samples() {
    std::lock_guard<std::mutex> hold(lock_);
    return samples_;
}

void CGrabberLog::Clear() {
    std::lock_guard<std::mutex> hold(lock_);
    samples_.clear();
}

GrabberGraph::GrabberGraph(const GUID& majorType) {
    if (!graph) {
        return;
    }
    grabber = CreateFilter(dshowbase::CLSID_SampleGrabber);
    renderer = CreateFilter(dshowbase::CLSID_NullRenderer);
    if (!grabber || !renderer) {
        return;
    }
    grabber->QueryInterface(IID_ISampleGrabber, reinterpret_cast<void**>(grabberControl.GetAddressOf()));
    AM_MEDIA_TYPE wanted{};
    wanted.majortype = majorType;
    grabberControl->SetMediaType(&wanted);
    grabberControl->SetBufferSamples(TRUE);
    grabberControl->SetCallback(&log, 0);
    graph->AddFilter(grabber.Get(), L"Grabber");
    graph->AddFilter(renderer.Get(), L"Null Renderer");
    grabberIn = FirstPin(grabber.Get(), PINDIR_INPUT);
}

GrabberGraph::~GrabberGraph() {
    if (control) {
        control->Stop();
    }
    if (grabberControl) {
        grabberControl->SetCallback(nullptr, 0);
    }
}

bool GrabberGraph::RunFor(size_t count, DWORD timeoutMs) {
    // The renderer joins once the grabber's input has a type.
    ComPtr<IPin> grabberOut = FirstPin(grabber.Get(), PINDIR_OUTPUT);
    ComPtr<IPin> peer;
    if (grabberOut->ConnectedTo(peer.GetAddressOf()) == VFW_E_NOT_CONNECTED) {
        if (FAILED(Connect(grabberOut.Get(), FirstPin(renderer.Get(), PINDIR_INPUT).Get()))) {
            return false;
        }
    }
    if (FAILED(control->Run())) {
        return false;
    }
    const bool arrived = log.WaitFor(count, timeoutMs);
    control->Stop();
    return arrived;
}

void BenchTest::SetUp() {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)));
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_BenchDeviceControl, nullptr, CLSCTX_INPROC_SERVER, IID_IBenchDeviceControl,
                                     reinterpret_cast<void**>(bench.GetAddressOf())))
        << "benchdevices.dll is not registered in the prefix";
    bench->Reset();
}

void BenchTest::TearDown() {
    if (bench) {
        bench->Reset();
    }
    bench.Reset();
    CoUninitialize();
}

}  // namespace benchtest
