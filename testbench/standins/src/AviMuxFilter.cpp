#include "AviMuxFilter.h"

#include "AviStreamFormat.h"
#include "MediaFormats.h"

#include "dshowbase/Negotiation.h"

#include <new>
#include <string>

namespace standins {
namespace {

// AVI numbers streams with two decimal digits.
constexpr size_t kMaxInputs = 99;
// What a fully interleaving run may hold back while a stream lags.
constexpr size_t kMaxHeldBytes = 64 * 1024 * 1024;

std::wstring InputName(size_t number) {
    wchar_t name[16] = {};
    swprintf(name, 16, L"Input %02u", static_cast<unsigned>(number));
    return name;
}

dshowbase::CMediaType AviBytesType() {
    dshowbase::CMediaType bytes(MEDIATYPE_Stream);
    bytes.subtype = MEDIASUBTYPE_Avi;
    bytes.formattype = FORMAT_None;
    bytes.bFixedSizeSamples = FALSE;
    bytes.lSampleSize = 1;
    return bytes;
}

}  // namespace

// --- Input pins ---

CAviMuxInputPin::CAviMuxInputPin(CAviMuxFilter* mux, dshowbase::CCritSec* lock, const wchar_t* name)
    : CBaseInputPin(L"bench AVI Mux input", mux, lock, name), mux_(mux) {}

HRESULT CAviMuxInputPin::CheckMediaType(const dshowbase::CMediaType* type) {
    if (type == nullptr) {
        return E_POINTER;
    }
    AviStreamInfo stream;
    return AviStreamOf(*type, &stream) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CAviMuxInputPin::CompleteConnect(IPin* receivePin) {
    const HRESULT hr = CBaseInputPin::CompleteConnect(receivePin);
    if (SUCCEEDED(hr)) {
        mux_->InputConnected(this);
    }
    return hr;
}

STDMETHODIMP CAviMuxInputPin::Receive(IMediaSample* sample) {
    if (sample == nullptr) {
        return E_POINTER;
    }
    // The stream's headers were written for the connection's format; a
    // sample in another one would not fit them.
    AM_MEDIA_TYPE* changed = nullptr;
    if (sample->GetMediaType(&changed) == S_OK && changed != nullptr) {
        const bool same = dshowbase::MediaTypesEqual(*changed, CurrentMediaType());
        dshowbase::DeleteMediaType(changed);
        if (!same) {
            return VFW_E_TYPE_NOT_ACCEPTED;
        }
    }
    const HRESULT hr = CBaseInputPin::Receive(sample);
    if (hr != S_OK) {
        return hr;
    }
    BYTE* data = nullptr;
    long length = 0;
    if (FAILED(SampleBytes(sample, &data, &length))) {
        return E_UNEXPECTED;
    }
    return mux_->TakeSample(streamNumber_, sample, data, length);
}

STDMETHODIMP CAviMuxInputPin::EndOfStream() {
    const HRESULT hr = CBaseInputPin::EndOfStream();
    if (hr == S_OK) {
        mux_->InputEnded(streamNumber_);
    }
    return hr;
}

// --- Output pin ---

CAviMuxOutputPin::CAviMuxOutputPin(CAviMuxFilter* mux, dshowbase::CCritSec* lock)
    : CBaseOutputPin(L"bench AVI Mux output", mux, lock, L"AVI Out") {}

HRESULT CAviMuxOutputPin::CheckMediaType(const dshowbase::CMediaType* type) {
    if (type == nullptr) {
        return E_POINTER;
    }
    return type->majortype == MEDIATYPE_Stream && type->subtype == MEDIASUBTYPE_Avi ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CAviMuxOutputPin::GetMediaType(int position, dshowbase::CMediaType* type) {
    return dshowbase::OfferSingleType(position, type, AviBytesType());
}

HRESULT CAviMuxOutputPin::CheckConnect(IPin* pin) {
    HRESULT hr = CBaseOutputPin::CheckConnect(pin);
    if (FAILED(hr)) {
        return hr;
    }
    Microsoft::WRL::ComPtr<IStream> stream;
    hr = pin->QueryInterface(IID_IStream, reinterpret_cast<void**>(stream.GetAddressOf()));
    return SUCCEEDED(hr) && stream ? S_OK : E_NOINTERFACE;
}

HRESULT CAviMuxOutputPin::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) {
    // The bytes go through IStream; the allocator only completes the
    // connection as the other pin expects.
    return dshowbase::SetAllocatorAtLeast(allocator, request, 1, 1);
}

// --- The filter ---

dshowbase::CUnknown* CAviMuxFilter::Create(HRESULT*) { return new (std::nothrow) CAviMuxFilter(); }

CAviMuxFilter::CAviMuxFilter()
    : CBaseFilter(L"bench AVI Mux", CLSID_AviDest, &lock_), output_(new CAviMuxOutputPin(this, &lock_)) {
    inputs_.emplace_back(new CAviMuxInputPin(this, &lock_, InputName(1).c_str()));
}

CAviMuxFilter::~CAviMuxFilter() = default;

HRESULT CAviMuxFilter::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
    if (riid == IID_IConfigInterleaving) {
        return dshowbase::GetInterface(static_cast<IConfigInterleaving*>(this), ppv);
    }
    return CBaseFilter::NonDelegatingQueryInterface(riid, ppv);
}

int CAviMuxFilter::GetPinCount() {
    std::lock_guard<std::mutex> hold(pinsLock_);
    return 1 + static_cast<int>(inputs_.size());
}

dshowbase::CBasePin* CAviMuxFilter::GetPin(int index) {
    std::lock_guard<std::mutex> hold(pinsLock_);
    if (index == 0) {
        return output_.get();
    }
    if (index < 0 || static_cast<size_t>(index) > inputs_.size()) {
        return nullptr;
    }
    return inputs_[static_cast<size_t>(index) - 1].get();
}

void CAviMuxFilter::InputConnected(CAviMuxInputPin* pin) {
    // As each input connects, a free one follows it. Pins stay until the
    // filter goes: the graph may hold references to any of them.
    std::lock_guard<std::mutex> hold(pinsLock_);
    if (inputs_.back().get() == pin && inputs_.size() < kMaxInputs) {
        const size_t number = inputs_.size() + 1;
        inputs_.emplace_back(new (std::nothrow) CAviMuxInputPin(this, &lock_, InputName(number).c_str()));
        if (!inputs_.back()) {
            inputs_.pop_back();
        }
    }
}

STDMETHODIMP CAviMuxFilter::put_Mode(InterleavingMode mode) {
    dshowbase::CAutoLock lock(&lock_);
    if (mode < INTERLEAVE_NONE || mode > INTERLEAVE_NONE_BUFFERED) {
        return E_INVALIDARG;
    }
    if (!IsStopped()) {
        return VFW_E_NOT_STOPPED;
    }
    mode_ = mode;
    return S_OK;
}

STDMETHODIMP CAviMuxFilter::get_Mode(InterleavingMode* mode) {
    if (mode == nullptr) {
        return E_POINTER;
    }
    dshowbase::CAutoLock lock(&lock_);
    *mode = mode_;
    return S_OK;
}

STDMETHODIMP CAviMuxFilter::put_Interleaving(const REFERENCE_TIME* interleave, const REFERENCE_TIME* preroll) {
    if (interleave == nullptr || preroll == nullptr) {
        return E_POINTER;
    }
    if (*interleave <= 0 || *preroll < 0) {
        return E_INVALIDARG;
    }
    dshowbase::CAutoLock lock(&lock_);
    if (!IsStopped()) {
        return VFW_E_NOT_STOPPED;
    }
    interleave_ = *interleave;
    preroll_ = *preroll;
    return S_OK;
}

STDMETHODIMP CAviMuxFilter::get_Interleaving(REFERENCE_TIME* interleave, REFERENCE_TIME* preroll) {
    if (interleave == nullptr || preroll == nullptr) {
        return E_POINTER;
    }
    dshowbase::CAutoLock lock(&lock_);
    *interleave = interleave_;
    *preroll = preroll_;
    return S_OK;
}

STDMETHODIMP CAviMuxFilter::Pause() {
    dshowbase::CAutoLock lock(&lock_);
    if (IsStopped()) {
        const HRESULT hr = PrepareRun();
        if (FAILED(hr)) {
            return hr;
        }
    }
    const HRESULT hr = CBaseFilter::Pause();
    if (FAILED(hr)) {
        std::lock_guard<std::mutex> hold(writeLock_);
        file_.Reset();
        finished_ = true;
    }
    return hr;
}

HRESULT CAviMuxFilter::PrepareRun() {
    if (!output_->IsConnected()) {
        return VFW_E_NOT_CONNECTED;
    }
    Microsoft::WRL::ComPtr<IStream> file;
    HRESULT hr = output_->ConnectedPin()->QueryInterface(IID_IStream, reinterpret_cast<void**>(file.GetAddressOf()));
    if (FAILED(hr) || !file) {
        return E_NOINTERFACE;
    }
    std::vector<AviStreamInfo> streams;
    std::vector<bool> everyChunkKey;
    uint32_t microSecPerFrame = 0;
    {
        std::lock_guard<std::mutex> hold(pinsLock_);
        for (const std::unique_ptr<CAviMuxInputPin>& pin : inputs_) {
            AviStreamInfo stream;
            if (!pin->IsConnected() || !AviStreamOf(pin->CurrentMediaType(), &stream)) {
                pin->SetStreamNumber(-1);
                continue;
            }
            if (microSecPerFrame == 0) {
                microSecPerFrame = MicroSecondsPerFrame(pin->CurrentMediaType());
            }
            everyChunkKey.push_back(EveryChunkIsKey(pin->CurrentMediaType()));
            pin->SetStreamNumber(static_cast<int>(streams.size()));
            streams.push_back(std::move(stream));
        }
    }
    const size_t count = streams.size();
    const bool ordered = mode_ == INTERLEAVE_FULL;

    std::lock_guard<std::mutex> hold(writeLock_);
    layout_.reset(new (std::nothrow) CAviLayout(std::move(streams), microSecPerFrame, ordered && count > 1));
    interleaver_.reset(new (std::nothrow) CChunkInterleaver(count, interleave_, kMaxHeldBytes));
    if (!layout_ || !interleaver_) {
        return E_OUTOFMEMORY;
    }
    file_ = file;
    everyChunkKey_ = std::move(everyChunkKey);
    lastStart_.assign(count, 0);
    ended_.assign(count, false);
    streamsEnded_ = 0;
    ordered_ = ordered;
    begun_ = false;
    failed_ = false;
    finished_ = false;
    return S_OK;
}

STDMETHODIMP CAviMuxFilter::Stop() {
    dshowbase::CAutoLock lock(&lock_);
    const bool wasActive = IsActive();
    HRESULT hr = CBaseFilter::Stop();
    if (wasActive) {
        // The file is finished even when a pin refused to stop: a recording
        // without its index and counts would be of no use.
        const HRESULT finished = FinishFile();
        if (SUCCEEDED(hr)) {
            hr = finished;
        }
    }
    return hr;
}

HRESULT CAviMuxFilter::TakeSample(int stream, IMediaSample* sample, const BYTE* data, long length) {
    std::lock_guard<std::mutex> hold(writeLock_);
    if (failed_) {
        return E_FAIL;
    }
    // A sample still on its way when the run stopped is not part of it.
    if (finished_ || stream < 0 || static_cast<size_t>(stream) >= lastStart_.size()) {
        return S_FALSE;
    }
    const size_t number = static_cast<size_t>(stream);
    REFERENCE_TIME start = 0;
    REFERENCE_TIME stop = 0;
    // A sample without a time keeps its stream's last one.
    if (SUCCEEDED(sample->GetTime(&start, &stop))) {
        lastStart_[number] = start;
    }
    const bool keyFrame = everyChunkKey_[number] || sample->IsSyncPoint() == S_OK;
    if (!ordered_) {
        return WriteChunk(number, data, static_cast<uint32_t>(length), keyFrame);
    }
    HeldChunk chunk;
    chunk.stream = number;
    chunk.start = lastStart_[number];
    chunk.keyFrame = keyFrame;
    chunk.bytes.assign(data, data + length);
    interleaver_->Add(std::move(chunk));
    return WriteReadyChunks();
}

void CAviMuxFilter::InputEnded(int stream) {
    bool allEnded = false;
    {
        std::lock_guard<std::mutex> hold(writeLock_);
        if (finished_ || stream < 0 || static_cast<size_t>(stream) >= ended_.size() || ended_[stream]) {
            return;
        }
        ended_[stream] = true;
        ++streamsEnded_;
        interleaver_->EndStream(static_cast<size_t>(stream));
        if (!failed_) {
            WriteReadyChunks();
        }
        allEnded = streamsEnded_ == ended_.size();
    }
    // The writer downstream hears of the end once every stream ended; the
    // file itself is finished when the graph stops.
    if (allEnded) {
        output_->DeliverEndOfStream();
    }
}

HRESULT CAviMuxFilter::WriteAt(uint64_t offset, const std::vector<uint8_t>& bytes) {
    LARGE_INTEGER position{};
    position.QuadPart = static_cast<LONGLONG>(offset);
    HRESULT hr = file_->Seek(position, STREAM_SEEK_SET, nullptr);
    ULONG written = 0;
    if (SUCCEEDED(hr)) {
        hr = file_->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
    }
    if (SUCCEEDED(hr) && written != bytes.size()) {
        hr = STG_E_MEDIUMFULL;
    }
    return hr;
}

HRESULT CAviMuxFilter::WriteChunk(size_t stream, const BYTE* data, uint32_t size, bool keyFrame) {
    if (!begun_) {
        // The headers go first, with no counts yet, so that what is
        // written stays a readable file if the run never stops cleanly.
        const HRESULT hr = WriteAt(0, layout_->Headers());
        if (FAILED(hr)) {
            return Fail(hr);
        }
        begun_ = true;
    }
    AviChunkPlace place;
    // Past what an AVI 1.0 file holds, samples are dropped; the file up to
    // there stays valid.
    if (!layout_->Place(stream, size, keyFrame, &place)) {
        return S_OK;
    }
    std::vector<uint8_t> chunk(place.header, place.header + 8);
    chunk.insert(chunk.end(), data, data + size);
    if (place.pad) {
        chunk.push_back(0);
    }
    const HRESULT hr = WriteAt(place.offset, chunk);
    return FAILED(hr) ? Fail(hr) : S_OK;
}

HRESULT CAviMuxFilter::WriteReadyChunks() {
    HeldChunk chunk;
    while (interleaver_->Next(&chunk)) {
        const HRESULT hr = WriteChunk(chunk.stream, chunk.bytes.data(), static_cast<uint32_t>(chunk.bytes.size()),
                                      chunk.keyFrame);
        if (FAILED(hr)) {
            return hr;
        }
    }
    return S_OK;
}

HRESULT CAviMuxFilter::FinishFile() {
    std::lock_guard<std::mutex> hold(writeLock_);
    if (finished_) {
        return S_OK;
    }
    finished_ = true;
    HRESULT hr = failed_ ? E_FAIL : S_OK;
    HeldChunk chunk;
    while (SUCCEEDED(hr) && interleaver_->Drain(&chunk)) {
        hr = WriteChunk(chunk.stream, chunk.bytes.data(), static_cast<uint32_t>(chunk.bytes.size()), chunk.keyFrame);
    }
    if (SUCCEEDED(hr)) {
        hr = WriteAt(layout_->IndexOffset(), layout_->Index());
    }
    if (SUCCEEDED(hr)) {
        hr = WriteAt(0, layout_->Headers());
    }
    if (SUCCEEDED(hr)) {
        ULARGE_INTEGER size{};
        size.QuadPart = layout_->FileSize();
        hr = file_->SetSize(size);
    }
    if (FAILED(hr) && !failed_) {
        Fail(hr);
    }
    file_.Reset();
    return hr;
}

HRESULT CAviMuxFilter::Fail(HRESULT hr) {
    // The file is incomplete from here on: say so once and take no more.
    if (!failed_) {
        failed_ = true;
        NotifyEvent(EC_ERRORABORT, hr, 0);
    }
    return hr;
}

}  // namespace standins
