#include "MediaDetector.h"

#include "DibFrame.h"
#include "SinkFile.h"

#include "dshowbase/MediaType.h"

#include <algorithm>
#include <new>

namespace standins {
namespace {

// Media types and stream types of RIFF streams are their four-character
// codes in the standard GUID pattern: 'vids' is MEDIATYPE_Video, 'auds'
// MEDIATYPE_Audio, a format tag the audio subtype.
GUID FourCcGuid(uint32_t code) {
    GUID guid = MEDIATYPE_Video;
    guid.Data1 = code;
    return guid;
}

// What a served file must be: all its pictures uncompressed RGB24 (the
// bench decodes nothing), and something in it.
bool CanServe(const MediaFile& media) {
    if (media.streams.empty()) {
        return false;
    }
    for (const MediaStream& stream : media.streams) {
        VideoLayout layout;
        if (stream.kind == StreamKind::Video && (!DescribeVideo(stream, &layout) || !IsUncompressedRgb24(layout))) {
            return false;
        }
    }
    return true;
}

HRESULT BuildMediaType(const MediaFile& media, const MediaStream& stream, dshowbase::CMediaType* type) {
    type->Clear();
    type->majortype = FourCcGuid(stream.type);
    VideoLayout video;
    AudioLayout audio;
    if (DescribeVideo(stream, &video)) {
        type->subtype = MEDIASUBTYPE_RGB24;
        type->formattype = FORMAT_VideoInfo;
        type->bFixedSizeSamples = TRUE;
        VIDEOINFOHEADER* info = reinterpret_cast<VIDEOINFOHEADER*>(type->AllocFormat(sizeof(VIDEOINFOHEADER)));
        if (info == nullptr) {
            return E_OUTOFMEMORY;
        }
        memcpy(&info->bmiHeader, stream.format.data(), sizeof(BITMAPINFOHEADER));
        info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info->rcSource = {0, 0, video.width, video.height};
        info->rcTarget = info->rcSource;
        const double rate = FrameRate(media, stream);
        info->AvgTimePerFrame = rate > 0.0 ? static_cast<REFERENCE_TIME>(1e7 / rate) : 0;
        type->lSampleSize = PackedDibSize(video.width, video.height) - kDibHeaderSize;
    } else if (DescribeAudio(stream, &audio)) {
        type->subtype = FourCcGuid(audio.formatTag);
        type->formattype = FORMAT_WaveFormatEx;
        type->bFixedSizeSamples = TRUE;
        type->lSampleSize = audio.blockAlign;
        // The stored format may be the 16-byte PCM form without cbSize.
        const size_t size = std::max(stream.format.size(), sizeof(WAVEFORMATEX));
        BYTE* format = type->AllocFormat(static_cast<ULONG>(size));
        if (format == nullptr) {
            return E_OUTOFMEMORY;
        }
        memcpy(format, stream.format.data(), stream.format.size());
    }
    return S_OK;
}

}  // namespace

dshowbase::CUnknown* CMediaDetector::Create(HRESULT*) { return new (std::nothrow) CMediaDetector(); }

CMediaDetector::CMediaDetector() : CUnknown(L"bench media detector") {}

HRESULT CMediaDetector::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
    if (riid == IID_IUnknown || riid == __uuidof(IMediaDet)) {
        return dshowbase::GetInterface(static_cast<IMediaDet*>(this), ppv);
    }
    return CUnknown::NonDelegatingQueryInterface(riid, ppv);
}

void CMediaDetector::Forget() {
    fileName_.clear();
    source_.reset();
    media_ = MediaFile();
    current_ = 0;
    grabMode_ = false;
}

const MediaStream* CMediaDetector::StreamForQuestion(HRESULT* hr) {
    if (!source_) {
        *hr = E_INVALIDARG;  // no file yet
        return nullptr;
    }
    if (grabMode_) {
        *hr = VFW_E_WRONG_STATE;
        return nullptr;
    }
    *hr = S_OK;
    return &media_.streams[static_cast<size_t>(current_)];
}

template <class Value, class Fill>
HRESULT CMediaDetector::Answer(Value* out, Fill fill) {
    if (out == nullptr) {
        return E_POINTER;
    }
    std::lock_guard<std::mutex> hold(lock_);
    HRESULT hr;
    const MediaStream* stream = StreamForQuestion(&hr);
    return stream == nullptr ? hr : fill(*stream, out);
}

STDMETHODIMP CMediaDetector::get_Filter(IUnknown** filter) {
    if (filter == nullptr) {
        return E_POINTER;
    }
    *filter = nullptr;
    // A served file has no source filter: the bench reads it directly.
    return E_NOTIMPL;
}

STDMETHODIMP CMediaDetector::put_Filter(IUnknown* filter) {
    if (filter == nullptr) {
        return E_POINTER;
    }
    return E_NOTIMPL;
}

STDMETHODIMP CMediaDetector::get_OutputStreams(LONG* count) {
    return Answer(count, [this](const MediaStream&, LONG* out) {
        *out = static_cast<LONG>(media_.streams.size());
        return S_OK;
    });
}

STDMETHODIMP CMediaDetector::get_CurrentStream(LONG* stream) {
    if (stream == nullptr) {
        return E_POINTER;
    }
    std::lock_guard<std::mutex> hold(lock_);
    *stream = current_;
    return S_OK;
}

STDMETHODIMP CMediaDetector::put_CurrentStream(LONG stream) {
    std::lock_guard<std::mutex> hold(lock_);
    HRESULT hr;
    if (StreamForQuestion(&hr) == nullptr) {
        return hr;
    }
    if (stream < 0 || static_cast<size_t>(stream) >= media_.streams.size()) {
        return E_INVALIDARG;
    }
    current_ = stream;
    return S_OK;
}

STDMETHODIMP CMediaDetector::get_StreamType(GUID* type) {
    return Answer(type, [](const MediaStream& stream, GUID* out) {
        *out = FourCcGuid(stream.type);
        return S_OK;
    });
}

STDMETHODIMP CMediaDetector::get_StreamTypeB(BSTR* type) {
    if (type == nullptr) {
        return E_POINTER;
    }
    *type = nullptr;
    GUID guid;
    const HRESULT hr = get_StreamType(&guid);
    if (FAILED(hr)) {
        return hr;
    }
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    *type = SysAllocString(text);
    return *type != nullptr ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CMediaDetector::get_StreamLength(double* seconds) {
    return Answer(seconds, [this](const MediaStream& stream, double* out) {
        *out = StreamLengthSeconds(media_, stream);
        return S_OK;
    });
}

STDMETHODIMP CMediaDetector::get_Filename(BSTR* name) {
    if (name == nullptr) {
        return E_POINTER;
    }
    std::lock_guard<std::mutex> hold(lock_);
    *name = nullptr;
    if (fileName_.empty()) {
        return S_OK;
    }
    *name = SysAllocString(fileName_.c_str());
    return *name != nullptr ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CMediaDetector::put_Filename(BSTR name) {
    if (name == nullptr) {
        return E_POINTER;
    }
    std::lock_guard<std::mutex> hold(lock_);
    Forget();
    auto source = std::make_unique<CFileByteSource>();
    HRESULT hr = source->Open(name);
    if (FAILED(hr)) {
        return hr;
    }
    MediaFile media;
    if (ParseRiffMedia(*source, &media) != ParseStatus::Ok) {
        return VFW_E_INVALID_FILE_FORMAT;
    }
    if (!CanServe(media)) {
        return VFW_E_UNSUPPORTED_STREAM;
    }
    fileName_ = name;
    source_ = std::move(source);
    media_ = std::move(media);
    return S_OK;
}

HRESULT CMediaDetector::ReadFrame(double time, LONG width, LONG height, std::vector<uint8_t>* dib) {
    if (!source_) {
        return E_INVALIDARG;
    }
    const MediaStream& stream = media_.streams[static_cast<size_t>(current_)];
    VideoLayout layout;
    if (!DescribeVideo(stream, &layout)) {
        return VFW_E_INVALIDMEDIATYPE;
    }
    if (width <= 0 || height <= 0) {
        return E_INVALIDARG;
    }
    const uint32_t size = PackedDibSize(width, height);
    if (size == 0) {
        return E_OUTOFMEMORY;
    }
    const int64_t index = FrameIndexAt(media_, stream, time);
    if (index < 0) {
        return stream.chunks.empty() ? E_FAIL : E_INVALIDARG;
    }
    const MediaChunk& chunk = stream.chunks[static_cast<size_t>(index)];
    std::vector<uint8_t> stored(chunk.size);
    Rgb24View view;
    if (!source_->ReadAt(chunk.offset, stored.data(), stored.size()) ||
        !ViewStoredFrame(layout, stored.data(), stored.size(), &view)) {
        return E_FAIL;
    }
    dib->resize(size);
    WritePackedDib(view, width, height, dib->data());
    return S_OK;
}

STDMETHODIMP CMediaDetector::GetBitmapBits(double time, LONG* size, char* buffer, LONG width, LONG height) {
    std::lock_guard<std::mutex> hold(lock_);
    if (buffer == nullptr) {
        if (size == nullptr) {
            return E_POINTER;
        }
        if (!source_) {
            return E_INVALIDARG;
        }
        VideoLayout layout;
        if (!DescribeVideo(media_.streams[static_cast<size_t>(current_)], &layout)) {
            return VFW_E_INVALIDMEDIATYPE;
        }
        const uint32_t needed = PackedDibSize(width, height);
        if (width <= 0 || height <= 0) {
            return E_INVALIDARG;
        }
        if (needed == 0) {
            return E_OUTOFMEMORY;
        }
        *size = static_cast<LONG>(needed);
        grabMode_ = true;
        return S_OK;
    }
    // With a buffer, its size is the one the size query gave: the caller
    // asked for exactly this width and height.
    std::vector<uint8_t> dib;
    const HRESULT hr = ReadFrame(time, width, height, &dib);
    if (FAILED(hr)) {
        return hr;
    }
    memcpy(buffer, dib.data(), dib.size());
    grabMode_ = true;
    return S_OK;
}

STDMETHODIMP CMediaDetector::WriteBitmapBits(double time, LONG width, LONG height, BSTR file) {
    if (file == nullptr) {
        return E_POINTER;
    }
    std::lock_guard<std::mutex> hold(lock_);
    std::vector<uint8_t> dib;
    HRESULT hr = ReadFrame(time, width, height, &dib);
    if (FAILED(hr)) {
        return hr;
    }
    grabMode_ = true;
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;  // "BM"
    header.bfSize = static_cast<DWORD>(sizeof(header) + dib.size());
    header.bfOffBits = sizeof(header) + kDibHeaderSize;
    CSinkFile out;
    hr = out.Open(file, true);
    if (SUCCEEDED(hr)) {
        hr = out.WriteAt(0, &header, sizeof(header));
    }
    if (SUCCEEDED(hr)) {
        hr = out.WriteAt(sizeof(header), dib.data(), static_cast<DWORD>(dib.size()));
    }
    return hr;
}

STDMETHODIMP CMediaDetector::get_StreamMediaType(AM_MEDIA_TYPE* type) {
    return Answer(type, [this](const MediaStream& stream, AM_MEDIA_TYPE* out) {
        dshowbase::CMediaType built;
        const HRESULT hr = BuildMediaType(media_, stream, &built);
        if (FAILED(hr)) {
            return hr;
        }
        *out = AM_MEDIA_TYPE{};
        return dshowbase::CopyMediaType(out, &built);
    });
}

// A served file is read without a graph, so there is no grabber to hand
// out.
STDMETHODIMP CMediaDetector::GetSampleGrabber(ISampleGrabber** grabber) {
    if (grabber == nullptr) {
        return E_POINTER;
    }
    *grabber = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CMediaDetector::get_FrameRate(double* rate) {
    return Answer(rate, [this](const MediaStream& stream, double* out) {
        if (stream.kind != StreamKind::Video) {
            return VFW_E_INVALIDMEDIATYPE;
        }
        *out = FrameRate(media_, stream);
        return S_OK;
    });
}

STDMETHODIMP CMediaDetector::EnterBitmapGrabMode(double time) {
    std::lock_guard<std::mutex> hold(lock_);
    if (!source_) {
        return E_INVALIDARG;
    }
    const MediaStream& stream = media_.streams[static_cast<size_t>(current_)];
    if (stream.kind != StreamKind::Video) {
        return VFW_E_INVALIDMEDIATYPE;
    }
    if (FrameIndexAt(media_, stream, time) < 0) {
        return E_INVALIDARG;
    }
    grabMode_ = true;
    return S_OK;
}

}  // namespace standins
