#include "WavDestFilter.h"

#include "BenchStandIns.h"
#include "MediaFormats.h"

#include "dshowbase/Negotiation.h"

#include <algorithm>
#include <new>

namespace standins {

dshowbase::CUnknown* CWavDestFilter::Create(HRESULT*) { return new (std::nothrow) CWavDestFilter(); }

CWavDestFilter::CWavDestFilter() : CTransformFilter(L"bench WAV Dest", CLSID_BenchWavDest) {}

HRESULT CWavDestFilter::CheckInputType(const dshowbase::CMediaType* input) {
    if (input == nullptr) {
        return E_POINTER;
    }
    PcmFormat pcm;
    return PcmOf(*input, &pcm) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CWavDestFilter::CheckTransform(const dshowbase::CMediaType* input, const dshowbase::CMediaType* output) {
    if (input == nullptr || output == nullptr) {
        return E_POINTER;
    }
    const bool waveBytes = output->majortype == MEDIATYPE_Stream &&
                           (output->subtype == MEDIASUBTYPE_WAVE || output->subtype == GUID_NULL);
    return waveBytes ? CheckInputType(input) : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CWavDestFilter::GetMediaType(int position, dshowbase::CMediaType* output) {
    if (!InputPin()->IsConnected()) {
        return E_UNEXPECTED;
    }
    dshowbase::CMediaType bytes(MEDIATYPE_Stream);
    bytes.subtype = MEDIASUBTYPE_WAVE;
    bytes.formattype = FORMAT_None;
    bytes.bFixedSizeSamples = FALSE;
    bytes.lSampleSize = 1;
    return dshowbase::OfferSingleType(position, output, bytes);
}

HRESULT CWavDestFilter::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) {
    PcmFormat pcm;
    if (!InputPin()->IsConnected() || !PcmOf(InputPin()->CurrentMediaType(), &pcm)) {
        return E_UNEXPECTED;
    }
    // Larger buffers than the input's save splitting; DeliverAt copes with
    // smaller ones too.
    long bytes = std::max<long>(HalfSecondBytes(pcm), kWaveHeaderSize);
    ALLOCATOR_PROPERTIES upstream{};
    IMemAllocator* input = InputPin()->Allocator();
    if (input != nullptr && SUCCEEDED(input->GetProperties(&upstream)) && upstream.cbBuffer > bytes) {
        bytes = upstream.cbBuffer;
    }
    return dshowbase::SetAllocatorAtLeast(allocator, request, 2, bytes);
}

HRESULT CWavDestFilter::SetMediaType(PIN_DIRECTION direction, const dshowbase::CMediaType* type) {
    if (direction == PINDIR_INPUT && type != nullptr) {
        PcmOf(*type, &format_);
    }
    return S_OK;
}

HRESULT CWavDestFilter::StartStreaming() {
    written_ = 0;
    started_ = false;
    stream_.Reset();
    IPin* downstream = OutputPin()->ConnectedPin();
    if (downstream != nullptr) {
        downstream->QueryInterface(IID_IStream, reinterpret_cast<void**>(stream_.GetAddressOf()));
    }
    return S_OK;
}

HRESULT CWavDestFilter::StopStreaming() {
    const HRESULT hr = WriteHeaderToStream();
    stream_.Reset();
    return hr;
}

HRESULT CWavDestFilter::Receive(IMediaSample* sample) {
    if (!OutputPin()->IsConnected()) {
        return VFW_E_NOT_CONNECTED;
    }
    BYTE* data = nullptr;
    long length = 0;
    if (FAILED(SampleBytes(sample, &data, &length))) {
        return E_UNEXPECTED;
    }
    HRESULT hr = S_OK;
    if (!started_) {
        started_ = true;
        hr = DeliverHeader();
        if (FAILED(hr)) {
            return hr;
        }
    }
    // Sound past what a RIFF file can describe is dropped, not wrapped
    // around into a header that lies.
    const uint32_t room = kMaxWaveData - written_;
    const uint32_t take = std::min<uint32_t>(static_cast<uint32_t>(length), room);
    if (take == 0) {
        return S_OK;
    }
    hr = DeliverAt(data, take, static_cast<uint64_t>(kWaveHeaderSize) + written_);
    if (FAILED(hr)) {
        return hr;
    }
    written_ += take;
    return stream_ ? S_OK : DeliverHeader();
}

HRESULT CWavDestFilter::EndOfStream() {
    {
        dshowbase::CAutoLock streaming(StreamingLock());
        WriteHeaderToStream();
    }
    return CTransformFilter::EndOfStream();
}

HRESULT CWavDestFilter::DeliverAt(const BYTE* data, uint32_t size, uint64_t offset) {
    while (size > 0) {
        Microsoft::WRL::ComPtr<IMediaSample> buffer;
        HRESULT hr = OutputPin()->GetDeliveryBuffer(buffer.GetAddressOf(), nullptr, nullptr, 0);
        if (FAILED(hr)) {
            return hr;
        }
        BYTE* target = nullptr;
        const long capacity = buffer->GetSize();
        if (FAILED(buffer->GetPointer(&target)) || target == nullptr || capacity <= 0) {
            return E_UNEXPECTED;
        }
        const uint32_t piece = std::min<uint32_t>(size, static_cast<uint32_t>(capacity));
        memcpy(target, data, piece);
        buffer->SetActualDataLength(static_cast<long>(piece));
        REFERENCE_TIME start = static_cast<REFERENCE_TIME>(offset);
        REFERENCE_TIME stop = start + piece;
        buffer->SetTime(&start, &stop);
        buffer->SetSyncPoint(TRUE);
        hr = OutputPin()->Deliver(buffer.Get());
        if (hr != S_OK) {
            return hr;
        }
        data += piece;
        size -= piece;
        offset += piece;
    }
    return S_OK;
}

HRESULT CWavDestFilter::DeliverHeader() {
    const std::vector<uint8_t> header = BuildWaveHeader(format_, written_);
    HRESULT hr = DeliverAt(header.data(), static_cast<uint32_t>(header.size()), 0);
    if (SUCCEEDED(hr) && (written_ & 1u) != 0) {
        const BYTE pad = 0;
        hr = DeliverAt(&pad, 1, static_cast<uint64_t>(kWaveHeaderSize) + written_);
    }
    return hr;
}

HRESULT CWavDestFilter::WriteHeaderToStream() {
    if (!stream_) {
        return S_OK;
    }
    const std::vector<uint8_t> header = BuildWaveHeader(format_, written_);
    LARGE_INTEGER position{};
    HRESULT hr = stream_->Seek(position, STREAM_SEEK_SET, nullptr);
    if (SUCCEEDED(hr)) {
        hr = stream_->Write(header.data(), static_cast<ULONG>(header.size()), nullptr);
    }
    if (SUCCEEDED(hr) && (written_ & 1u) != 0) {
        const BYTE pad = 0;
        position.QuadPart = static_cast<LONGLONG>(kWaveHeaderSize) + written_;
        hr = stream_->Seek(position, STREAM_SEEK_SET, nullptr);
        if (SUCCEEDED(hr)) {
            hr = stream_->Write(&pad, 1, nullptr);
        }
    }
    return hr;
}

}  // namespace standins
