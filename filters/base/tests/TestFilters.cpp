#include "TestFilters.h"

#include "dshowbase/Negotiation.h"
#include "dshowbase/SampleCopy.h"

#include <cstring>

namespace basetest {

using dshowbase::CMediaType;

// {6A3C2E10-0B1D-4C57-9E51-2F7D58A1C001} and neighbours: test-only ids.
const CLSID CLSID_TestSource = {0x6a3c2e10, 0x0b1d, 0x4c57, {0x9e, 0x51, 0x2f, 0x7d, 0x58, 0xa1, 0xc0, 0x01}};
const CLSID CLSID_TestTransform = {0x6a3c2e10, 0x0b1d, 0x4c57, {0x9e, 0x51, 0x2f, 0x7d, 0x58, 0xa1, 0xc0, 0x02}};
const CLSID CLSID_TestSink = {0x6a3c2e10, 0x0b1d, 0x4c57, {0x9e, 0x51, 0x2f, 0x7d, 0x58, 0xa1, 0xc0, 0x03}};

CMediaType VideoType(int width, int height, WORD bitCount, const GUID& subtype) {
    CMediaType type(MEDIATYPE_Video);
    type.subtype = subtype;
    type.formattype = FORMAT_VideoInfo;
    auto* info = reinterpret_cast<VIDEOINFOHEADER*>(type.AllocFormat(sizeof(VIDEOINFOHEADER)));
    info->AvgTimePerFrame = 100000;
    info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info->bmiHeader.biWidth = width;
    info->bmiHeader.biHeight = height;
    info->bmiHeader.biPlanes = 1;
    info->bmiHeader.biBitCount = bitCount;
    info->bmiHeader.biCompression = BI_RGB;
    info->bmiHeader.biSizeImage = static_cast<DWORD>(((width * bitCount / 8 + 3) & ~3) * height);
    type.lSampleSize = info->bmiHeader.biSizeImage;
    type.bFixedSizeSamples = TRUE;
    return type;
}

namespace {

class CTestSourcePin : public dshowbase::CSourceStreamPin {
public:
    CTestSourcePin(dshowbase::CBaseFilter* filter, dshowbase::CCritSec* lock, const CMediaType& type)
        : CSourceStreamPin(L"test source pin", filter, lock, L"Out"), type_(type) {}

    HRESULT CheckMediaType(const CMediaType* type) override { return *type == type_ ? S_OK : VFW_E_TYPE_NOT_ACCEPTED; }
    HRESULT GetMediaType(int position, CMediaType* type) override {
        return dshowbase::OfferSingleType(position, type, type_);
    }
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override {
        return dshowbase::SetAllocatorAtLeast(allocator, request, 2,
                                              static_cast<long>(dshowbase::FrameBufferSize(type_)));
    }
    HRESULT FillBuffer(IMediaSample* sample, LONGLONG index) override {
        BYTE* data = nullptr;
        sample->GetPointer(&data);
        const long size = static_cast<long>(dshowbase::FrameBufferSize(type_));
        for (long i = 0; i < size; ++i) {
            data[i] = PatternByte(static_cast<size_t>(i), index);
        }
        return sample->SetActualDataLength(size);
    }
    REFERENCE_TIME BufferDuration() override { return 100000; }  // 100 frames a second

private:
    CMediaType type_;
};

class CTestSinkPin : public dshowbase::CBaseInputPin {
public:
    CTestSinkPin(CTestSink* sink, dshowbase::CCritSec* lock)
        : CBaseInputPin(L"test sink pin", sink, lock, L"In"), sink_(sink) {}
    HRESULT CheckMediaType(const CMediaType* type) override {
        return type->majortype == MEDIATYPE_Video ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
    }
    STDMETHODIMP Receive(IMediaSample* sample) override {
        const HRESULT hr = CBaseInputPin::Receive(sample);
        if (hr != S_OK) {
            return hr;
        }
        sink_->Record(sample);
        return S_OK;
    }
    STDMETHODIMP EndOfStream() override {
        const HRESULT hr = CBaseInputPin::EndOfStream();
        if (SUCCEEDED(hr)) {
            sink_->CountEndOfStream();
        }
        return hr;
    }
    STDMETHODIMP BeginFlush() override {
        sink_->CountFlush();
        return CBaseInputPin::BeginFlush();
    }

private:
    CTestSink* sink_;
};

}  // namespace

CTestSource::CTestSource(int width, int height, WORD bitCount) : CSourceFilter(L"test source", CLSID_TestSource) {
    const GUID subtype = bitCount == 32 ? MEDIASUBTYPE_RGB32 : MEDIASUBTYPE_RGB24;
    auto pin = std::make_unique<CTestSourcePin>(this, &filterLock_, VideoType(width, height, bitCount, subtype));
    pin_ = pin.get();
    AddPin(std::move(pin));
}

CTestTransform::CTestTransform(dshowbase::TransformMode mode)
    : CTransformFilter(L"test transform", CLSID_TestTransform, mode) {}

HRESULT CTestTransform::CheckInputType(const CMediaType* input) {
    if (input == nullptr) {
        return E_POINTER;
    }
    return dshowbase::IsRgb24VideoInfo(*input) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CTestTransform::CheckTransform(const CMediaType* input, const CMediaType* output) {
    if (input == nullptr || output == nullptr) {
        return E_POINTER;
    }
    return (dshowbase::IsRgb24VideoInfo(*input) && *input == *output) ? S_OK : E_FAIL;
}

HRESULT CTestTransform::GetMediaType(int position, CMediaType* output) {
    if (!InputPin()->IsConnected()) {
        return E_UNEXPECTED;
    }
    return dshowbase::OfferSingleType(position, output, InputPin()->CurrentMediaType());
}

HRESULT CTestTransform::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) {
    if (!InputPin()->IsConnected()) {
        return E_UNEXPECTED;
    }
    return dshowbase::SetAllocatorAtLeast(
        allocator, request, 1, static_cast<long>(dshowbase::FrameBufferSize(InputPin()->CurrentMediaType())));
}

namespace {

void Invert(IMediaSample* sample) {
    BYTE* data = nullptr;
    sample->GetPointer(&data);
    const long length = sample->GetActualDataLength();
    for (long i = 0; i < length; ++i) {
        data[i] = static_cast<BYTE>(255 - data[i]);
    }
}

}  // namespace

HRESULT CTestTransform::Transform(IMediaSample* input, IMediaSample* output) {
    const HRESULT hr = dshowbase::CopySample(input, output);
    if (FAILED(hr)) {
        return hr;
    }
    Invert(output);
    if (eventCode != 0) {
        NotifyEvent(eventCode, 11, 22);
    }
    return S_OK;
}

HRESULT CTestTransform::TransformInPlace(IMediaSample* sample) {
    if (SharesAllocator()) {
        InterlockedIncrement(&inPlaceWithoutCopy);
    }
    Invert(sample);
    return S_OK;
}

HRESULT CTestTransform::StartStreaming() {
    InterlockedIncrement(&starts);
    return S_OK;
}

HRESULT CTestTransform::StopStreaming() {
    InterlockedIncrement(&stops);
    return S_OK;
}

CTestSink::CTestSink()
    : CBaseFilter(L"test sink", CLSID_TestSink, &lock_),
      pin_(new CTestSinkPin(this, &lock_)),
      arrived_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}

CTestSink::~CTestSink() { CloseHandle(arrived_); }

dshowbase::CBasePin* CTestSink::GetPin(int index) { return index == 0 ? pin_.get() : nullptr; }

void CTestSink::Record(IMediaSample* sample) {
    ReceivedFrame frame;
    LONGLONG stop = 0;
    if (sample->GetMediaTime(&frame.mediaTime, &stop) != S_OK) {
        frame.mediaTime = -1;
    }
    BYTE* data = nullptr;
    sample->GetPointer(&data);
    frame.bytes.assign(data, data + sample->GetActualDataLength());
    {
        std::lock_guard<std::mutex> hold(framesLock_);
        frames_.push_back(std::move(frame));
    }
    SetEvent(arrived_);
}

bool CTestSink::WaitForFrames(size_t count, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        {
            std::lock_guard<std::mutex> hold(framesLock_);
            if (frames_.size() >= count) {
                return true;
            }
        }
        const DWORD spent = GetTickCount() - start;
        if (spent >= timeoutMs) {
            return false;
        }
        WaitForSingleObject(arrived_, timeoutMs - spent);
    }
}

std::vector<ReceivedFrame> CTestSink::Frames() {
    std::lock_guard<std::mutex> hold(framesLock_);
    return frames_;
}

void CTestSink::Clear() {
    std::lock_guard<std::mutex> hold(framesLock_);
    frames_.clear();
}

}  // namespace basetest
