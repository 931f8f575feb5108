#include "StandInTestSupport.h"

#include "BenchTestSupport.h"

#include <mmreg.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace standintest {

dshowbase::CMediaType PcmType(WORD channels, DWORD samplesPerSec, WORD bitsPerSample) {
    dshowbase::CMediaType type(MEDIATYPE_Audio);
    type.subtype = MEDIASUBTYPE_PCM;
    type.formattype = FORMAT_WaveFormatEx;
    type.bFixedSizeSamples = TRUE;
    WAVEFORMATEX* wave = reinterpret_cast<WAVEFORMATEX*>(type.AllocFormat(sizeof(WAVEFORMATEX)));
    wave->wFormatTag = WAVE_FORMAT_PCM;
    wave->nChannels = channels;
    wave->nSamplesPerSec = samplesPerSec;
    wave->wBitsPerSample = bitsPerSample;
    wave->nBlockAlign = static_cast<WORD>(channels * bitsPerSample / 8);
    wave->nAvgBytesPerSec = samplesPerSec * wave->nBlockAlign;
    type.lSampleSize = wave->nBlockAlign;
    return type;
}

dshowbase::CMediaType Rgb24Type(LONG width, LONG height, REFERENCE_TIME frameTime) {
    dshowbase::CMediaType type(MEDIATYPE_Video);
    type.subtype = MEDIASUBTYPE_RGB24;
    type.formattype = FORMAT_VideoInfo;
    type.bFixedSizeSamples = TRUE;
    type.lSampleSize = static_cast<ULONG>(width * 3 * height);
    VIDEOINFOHEADER* info = reinterpret_cast<VIDEOINFOHEADER*>(type.AllocFormat(sizeof(VIDEOINFOHEADER)));
    info->AvgTimePerFrame = frameTime;
    info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info->bmiHeader.biWidth = width;
    info->bmiHeader.biHeight = height;
    info->bmiHeader.biPlanes = 1;
    info->bmiHeader.biBitCount = 24;
    info->bmiHeader.biCompression = BI_RGB;
    info->bmiHeader.biSizeImage = type.lSampleSize;
    return type;
}

dshowbase::CMediaType ByteStreamType() {
    dshowbase::CMediaType type(MEDIATYPE_Stream);
    type.subtype = MEDIASUBTYPE_NULL;
    type.formattype = FORMAT_None;
    return type;
}

namespace {

// Calls visit (pin, name) for each pin in enumeration order until it
// returns false.
template <class Visit>
void ForEachPin(IBaseFilter* filter, Visit visit) {
    ComPtr<IEnumPins> pins;
    if (filter == nullptr || FAILED(filter->EnumPins(pins.GetAddressOf()))) {
        return;
    }
    ComPtr<IPin> pin;
    while (pins->Next(1, pin.ReleaseAndGetAddressOf(), nullptr) == S_OK) {
        PIN_INFO info{};
        pin->QueryPinInfo(&info);
        if (info.pFilter != nullptr) {
            info.pFilter->Release();
        }
        if (!visit(pin, info.achName)) {
            return;
        }
    }
}

}  // namespace

ComPtr<IPin> PinNamed(IBaseFilter* filter, const wchar_t* name) {
    ComPtr<IPin> found;
    ForEachPin(filter, [&](const ComPtr<IPin>& pin, const wchar_t* pinName) {
        if (wcscmp(pinName, name) == 0) {
            found = pin;
        }
        return !found;
    });
    return found;
}

std::vector<std::wstring> PinNames(IBaseFilter* filter) {
    std::vector<std::wstring> names;
    ForEachPin(filter, [&](const ComPtr<IPin>&, const wchar_t* pinName) {
        names.emplace_back(pinName);
        return true;
    });
    return names;
}

CLSID FindByFriendlyName(const wchar_t* prefix) {
    CLSID found = GUID_NULL;
    benchtest::ForEachInCategory(
        CLSID_LegacyAmFilterCategory, [&](IMoniker*, IPropertyBag* properties, const wchar_t* name) {
            if (wcsncmp(name, prefix, wcslen(prefix)) != 0) {
                return true;
            }
            VARIANT clsid;
            VariantInit(&clsid);
            if (SUCCEEDED(properties->Read(L"CLSID", &clsid, nullptr)) && clsid.vt == VT_BSTR) {
                CLSIDFromString(clsid.bstrVal, &found);
            }
            VariantClear(&clsid);
            return found == GUID_NULL;
        });
    return found;
}

TestFile::TestFile(const std::string& name) : narrow_("standins-" + name), wide_(narrow_.begin(), narrow_.end()) {
    std::remove(narrow_.c_str());
}

TestFile::~TestFile() { std::remove(narrow_.c_str()); }

std::vector<uint8_t> TestFile::Bytes() const {
    std::ifstream in(narrow_, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// --- CPushSource ---

class CPushSource::COutput final : public dshowbase::CBaseOutputPin {
public:
    COutput(CPushSource* filter, dshowbase::CCritSec* lock, const AM_MEDIA_TYPE& type, long bufferSize)
        : CBaseOutputPin(L"push source pin", filter, lock, L"Out"), type_(type), bufferSize_(bufferSize) {}
    HRESULT CheckMediaType(const dshowbase::CMediaType* type) override {
        return *type == type_ ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
    }
    HRESULT GetMediaType(int position, dshowbase::CMediaType* type) override {
        if (position != 0) {
            return VFW_S_NO_MORE_ITEMS;
        }
        *type = type_;
        return S_OK;
    }
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override {
        request->cBuffers = std::max<long>(request->cBuffers, 2);
        request->cbBuffer = std::max(request->cbBuffer, bufferSize_);
        ALLOCATOR_PROPERTIES granted{};
        return allocator->SetProperties(request, &granted);
    }

private:
    dshowbase::CMediaType type_;
    long bufferSize_;
};

CPushSource::CPushSource(const AM_MEDIA_TYPE& type, long bufferSize)
    : CBaseFilter(L"push source", GUID_NULL, &lock_), pin_(new COutput(this, &lock_, type, bufferSize)) {}

CPushSource::~CPushSource() = default;

dshowbase::CBasePin* CPushSource::GetPin(int index) { return index == 0 ? pin_.get() : nullptr; }

IPin* CPushSource::Pin() { return pin_.get(); }

HRESULT CPushSource::Push(const std::vector<uint8_t>& bytes, REFERENCE_TIME start, REFERENCE_TIME stop) {
    ComPtr<IMediaSample> sample;
    HRESULT hr = pin_->GetDeliveryBuffer(sample.GetAddressOf(), nullptr, nullptr, 0);
    if (FAILED(hr)) {
        return hr;
    }
    BYTE* data = nullptr;
    sample->GetPointer(&data);
    if (static_cast<long>(bytes.size()) > sample->GetSize()) {
        return E_INVALIDARG;
    }
    memcpy(data, bytes.data(), bytes.size());
    sample->SetActualDataLength(static_cast<long>(bytes.size()));
    sample->SetSyncPoint(TRUE);
    if (start != kUntimed) {
        sample->SetTime(&start, &stop);
    }
    return pin_->Deliver(sample.Get());
}

HRESULT CPushSource::EndOfStream() { return pin_->DeliverEndOfStream(); }

// --- CKeepingSink ---

class CKeepingSink::CInput final : public dshowbase::CBaseInputPin {
public:
    CInput(CKeepingSink* sink, dshowbase::CCritSec* lock, const GUID& major)
        : CBaseInputPin(L"keeping sink pin", sink, lock, L"In"), sink_(sink), major_(major) {}
    HRESULT CheckMediaType(const dshowbase::CMediaType* type) override {
        return type->majortype == major_ ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
    }
    STDMETHODIMP Receive(IMediaSample* sample) override {
        const HRESULT hr = CBaseInputPin::Receive(sample);
        if (hr == S_OK) {
            sink_->Keep(sample);
        }
        return hr;
    }

private:
    CKeepingSink* sink_;
    GUID major_;
};

CKeepingSink::CKeepingSink(const GUID& majorType)
    : CBaseFilter(L"keeping sink", GUID_NULL, &lock_), pin_(new CInput(this, &lock_, majorType)) {}

CKeepingSink::~CKeepingSink() = default;

dshowbase::CBasePin* CKeepingSink::GetPin(int index) { return index == 0 ? pin_.get() : nullptr; }

IPin* CKeepingSink::Pin() { return pin_.get(); }

void CKeepingSink::Keep(IMediaSample* sample) {
    BYTE* data = nullptr;
    sample->GetPointer(&data);
    SinkSample kept;
    kept.bytes.assign(data, data + sample->GetActualDataLength());
    REFERENCE_TIME stop = 0;
    kept.timed = SUCCEEDED(sample->GetTime(&kept.start, &stop));
    std::lock_guard<std::mutex> hold(samplesLock_);
    samples_.push_back(std::move(kept));
}

std::vector<SinkSample> CKeepingSink::Samples() {
    std::lock_guard<std::mutex> hold(samplesLock_);
    return samples_;
}

std::vector<uint8_t> CKeepingSink::AsFile() {
    std::vector<uint8_t> file;
    for (const SinkSample& sample : Samples()) {
        const size_t at = static_cast<size_t>(sample.start);
        if (file.size() < at + sample.bytes.size()) {
            file.resize(at + sample.bytes.size());
        }
        std::copy(sample.bytes.begin(), sample.bytes.end(), file.begin() + static_cast<long>(at));
    }
    return file;
}

}  // namespace standintest
