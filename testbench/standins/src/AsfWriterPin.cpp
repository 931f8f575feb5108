#include "AsfWriterPin.h"

#include "AsfWriterFilter.h"
#include "MediaFormats.h"

namespace standins {
namespace {

const wchar_t* PinName(AsfPinKind kind) { return kind == AsfPinKind::Audio ? L"Audio Input 01" : L"Video Input 01"; }

// The lengths a whole frame of this picture type may have: the header's
// image size, rows padded to four bytes, or rows packed without gaps.
std::vector<long> FrameSizes(const AM_MEDIA_TYPE& type) {
    std::vector<long> sizes;
    const VIDEOINFOHEADER* info = dshowbase::VideoInfo(type);
    if (info == nullptr) {
        return sizes;
    }
    const BITMAPINFOHEADER& bitmap = info->bmiHeader;
    const int64_t width = bitmap.biWidth;
    const int64_t height = bitmap.biHeight < 0 ? -static_cast<int64_t>(bitmap.biHeight) : bitmap.biHeight;
    const int64_t bits = bitmap.biBitCount;
    if (bitmap.biSizeImage != 0) {
        sizes.push_back(static_cast<long>(bitmap.biSizeImage));
    }
    if (width > 0 && height > 0 && bits > 0 && width * bits * height < (static_cast<int64_t>(1) << 33)) {
        sizes.push_back(static_cast<long>((width * bits + 31) / 32 * 4 * height));
        sizes.push_back(static_cast<long>(width * bits / 8 * height));
    }
    return sizes;
}

}  // namespace

CAsfInputPin::CAsfInputPin(CAsfWriterFilter* writer, dshowbase::CCritSec* lock, AsfPinKind kind)
    : CBaseInputPin(L"bench ASF writer pin", writer, lock, PinName(kind)), writer_(writer), kind_(kind) {}

HRESULT CAsfInputPin::CheckMediaType(const dshowbase::CMediaType* type) {
    if (type == nullptr) {
        return E_POINTER;
    }
    // The writer encodes uncompressed input only.
    if (kind_ == AsfPinKind::Audio) {
        PcmFormat pcm;
        return PcmOf(*type, &pcm) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
    }
    const VIDEOINFOHEADER* info = dshowbase::VideoInfo(*type);
    return type->majortype == MEDIATYPE_Video && info != nullptr && !type->bTemporalCompression
               ? S_OK
               : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CAsfInputPin::SetMediaType(const dshowbase::CMediaType* type) {
    HRESULT hr = CBaseInputPin::SetMediaType(type);
    if (FAILED(hr)) {
        return hr;
    }
    PcmFormat pcm;
    if (PcmOf(*type, &pcm)) {
        bitsPerSample_ = pcm.bitsPerSample;
    }
    frameSizes_ = FrameSizes(*type);
    return S_OK;
}

HRESULT CAsfInputPin::Active() {
    {
        std::lock_guard<std::mutex> hold(statsLock_);
        stats_ = AsfPinRecord();
    }
    return CBaseInputPin::Active();
}

STDMETHODIMP CAsfInputPin::Receive(IMediaSample* sample) {
    const HRESULT hr = CBaseInputPin::Receive(sample);
    if (hr != S_OK) {
        return hr;
    }
    BYTE* data = nullptr;
    long length = 0;
    if (FAILED(SampleBytes(sample, &data, &length))) {
        return E_UNEXPECTED;
    }
    Count(sample, data, length);
    return S_OK;
}

void CAsfInputPin::Count(IMediaSample* sample, const BYTE* data, long length) {
    REFERENCE_TIME start = 0;
    REFERENCE_TIME stop = 0;
    const bool timed = SUCCEEDED(sample->GetTime(&start, &stop));
    bool rightSize = true;
    if (kind_ == AsfPinKind::Video) {
        rightSize = false;
        for (long size : frameSizes_) {
            rightSize = rightSize || size == length;
        }
    }
    const bool silent = kind_ == AsfPinKind::Audio && IsSilence(data, length, bitsPerSample_);

    std::lock_guard<std::mutex> hold(statsLock_);
    ++stats_.samples;
    stats_.bytes += static_cast<uint64_t>(length);
    if (timed) {
        if (stats_.first < 0) {
            stats_.first = start;
        }
        stats_.last = stop;
    } else {
        ++stats_.untimed;
    }
    if (!rightSize) {
        ++stats_.wrongSize;
    }
    if (silent) {
        ++stats_.silent;
    }
}

STDMETHODIMP CAsfInputPin::EndOfStream() {
    const HRESULT hr = CBaseInputPin::EndOfStream();
    if (SUCCEEDED(hr)) {
        {
            std::lock_guard<std::mutex> hold(statsLock_);
            stats_.endOfStream = true;
        }
        writer_->EndOfStreamArrived();
    }
    return hr;
}

bool CAsfInputPin::EndOfStreamSeen() {
    std::lock_guard<std::mutex> hold(statsLock_);
    return stats_.endOfStream;
}

AsfPinRecord CAsfInputPin::Record() {
    AsfPinRecord record;
    {
        std::lock_guard<std::mutex> hold(statsLock_);
        record = stats_;
    }
    const std::wstring& name = Name();
    record.name.assign(name.begin(), name.end());
    record.type = kind_ == AsfPinKind::Audio ? "audio" : "video";
    record.connected = IsConnected();
    record.format = IsConnected() ? DescribeMediaType(CurrentMediaType()) : "none";
    return record;
}

}  // namespace standins
