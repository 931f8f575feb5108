#include "FileWriterFilter.h"

#include "MediaFormats.h"
#include "TaskMemory.h"

#include <new>

namespace standins {

// --- The pin ---

CFileWriterPin::CFileWriterPin(CFileWriterFilter* filter, dshowbase::CCritSec* lock, CTargetFile* file)
    : CBaseInputPin(L"bench file writer pin", filter, lock, L"in"), writer_(filter), file_(file) {}

HRESULT CFileWriterPin::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
    if (riid == IID_IStream || riid == IID_ISequentialStream) {
        return dshowbase::GetInterface(static_cast<IStream*>(this), ppv);
    }
    return CBaseInputPin::NonDelegatingQueryInterface(riid, ppv);
}

HRESULT CFileWriterPin::CheckMediaType(const dshowbase::CMediaType* type) {
    // A file takes any bytes.
    if (type == nullptr) {
        return E_POINTER;
    }
    return type->majortype != GUID_NULL ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

STDMETHODIMP CFileWriterPin::Receive(IMediaSample* sample) {
    HRESULT hr = CBaseInputPin::Receive(sample);
    if (hr != S_OK) {
        return hr;
    }
    BYTE* data = nullptr;
    long length = 0;
    if (FAILED(SampleBytes(sample, &data, &length))) {
        return E_UNEXPECTED;
    }
    REFERENCE_TIME start = 0;
    REFERENCE_TIME stop = 0;
    const HRESULT timed = sample->GetTime(&start, &stop);
    if (SUCCEEDED(timed) && start < 0) {
        return E_INVALIDARG;  // no byte offset before the file's start
    }
    hr = SUCCEEDED(timed) ? file_->WriteAt(static_cast<uint64_t>(start), data, static_cast<DWORD>(length))
                          : file_->Append(data, static_cast<DWORD>(length));
    if (FAILED(hr)) {
        // The file is incomplete from here on: say so and take no more.
        SetRuntimeError();
        writer_->NotifyEvent(EC_ERRORABORT, hr, 0);
    }
    return hr;
}

STDMETHODIMP CFileWriterPin::EndOfStream() {
    const HRESULT hr = CBaseInputPin::EndOfStream();
    if (SUCCEEDED(hr)) {
        writer_->EndOfStreamArrived();
    }
    return hr;
}

STDMETHODIMP CFileWriterPin::Read(void* data, ULONG size, ULONG* read) {
    if (data == nullptr && size != 0) {
        return STG_E_INVALIDPOINTER;
    }
    std::lock_guard<std::mutex> hold(positionLock_);
    DWORD got = 0;
    const HRESULT hr = file_->ReadAt(position_, data, size, &got);
    if (SUCCEEDED(hr)) {
        position_ += got;
    }
    if (read != nullptr) {
        *read = got;
    }
    return FAILED(hr) ? hr : (got < size ? S_FALSE : S_OK);
}

STDMETHODIMP CFileWriterPin::Write(const void* data, ULONG size, ULONG* written) {
    if (data == nullptr && size != 0) {
        return STG_E_INVALIDPOINTER;
    }
    std::lock_guard<std::mutex> hold(positionLock_);
    const HRESULT hr = file_->WriteAt(position_, data, size);
    if (SUCCEEDED(hr)) {
        position_ += size;
    }
    if (written != nullptr) {
        *written = SUCCEEDED(hr) ? size : 0;
    }
    return FAILED(hr) ? STG_E_WRITEFAULT : S_OK;
}

STDMETHODIMP CFileWriterPin::Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position) {
    std::lock_guard<std::mutex> hold(positionLock_);
    LONGLONG base = 0;
    switch (origin) {
    case STREAM_SEEK_SET: break;
    case STREAM_SEEK_CUR: base = static_cast<LONGLONG>(position_); break;
    case STREAM_SEEK_END: {
        uint64_t size = 0;
        const HRESULT hr = file_->Size(&size);
        if (FAILED(hr)) {
            return hr;
        }
        base = static_cast<LONGLONG>(size);
        break;
    }
    default: return STG_E_INVALIDFUNCTION;
    }
    if ((move.QuadPart > 0 && base > INT64_MAX - move.QuadPart) || base + move.QuadPart < 0) {
        return STG_E_INVALIDFUNCTION;
    }
    position_ = static_cast<uint64_t>(base + move.QuadPart);
    if (position != nullptr) {
        position->QuadPart = position_;
    }
    return S_OK;
}

STDMETHODIMP CFileWriterPin::SetSize(ULARGE_INTEGER size) { return file_->SetSize(size.QuadPart); }

STDMETHODIMP CFileWriterPin::CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) { return E_NOTIMPL; }

STDMETHODIMP CFileWriterPin::Commit(DWORD) { return file_->Flush(); }

STDMETHODIMP CFileWriterPin::Revert() { return E_NOTIMPL; }

STDMETHODIMP CFileWriterPin::LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) { return STG_E_INVALIDFUNCTION; }

STDMETHODIMP CFileWriterPin::UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) { return STG_E_INVALIDFUNCTION; }

STDMETHODIMP CFileWriterPin::Stat(STATSTG* stat, DWORD flags) {
    if (stat == nullptr) {
        return STG_E_INVALIDPOINTER;
    }
    *stat = STATSTG{};
    uint64_t size = 0;
    const HRESULT hr = file_->Size(&size);
    if (FAILED(hr)) {
        return hr;
    }
    stat->type = STGTY_STREAM;
    stat->cbSize.QuadPart = size;
    if ((flags & STATFLAG_NONAME) == 0 && FAILED(CopyToTaskMemory(file_->Name(), &stat->pwcsName))) {
        return STG_E_INSUFFICIENTMEMORY;
    }
    return S_OK;
}

STDMETHODIMP CFileWriterPin::Clone(IStream**) { return E_NOTIMPL; }

// --- The filter ---

// {8596E5F0-0DA5-11D0-BD21-00A0C911CE86}: the platform's file writer class.
dshowbase::CUnknown* CFileWriterFilter::Create(HRESULT*) { return new (std::nothrow) CFileWriterFilter(); }

CFileWriterFilter::CFileWriterFilter()
    : CRendererFilter(L"bench file writer", CLSID_FileWriter, &lock_), pin_(new CFileWriterPin(this, &lock_, &file_)) {}

CFileWriterFilter::~CFileWriterFilter() = default;

HRESULT CFileWriterFilter::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
    if (riid == IID_IFileSinkFilter || riid == IID_IFileSinkFilter2) {
        return dshowbase::GetInterface(static_cast<IFileSinkFilter2*>(this), ppv);
    }
    return CRendererFilter::NonDelegatingQueryInterface(riid, ppv);
}

dshowbase::CBasePin* CFileWriterFilter::GetPin(int index) { return index == 0 ? pin_.get() : nullptr; }

STDMETHODIMP CFileWriterFilter::Stop() {
    dshowbase::CAutoLock lock(&lock_);
    const HRESULT hr = CBaseFilter::Stop();
    file_.End();
    return hr;
}

STDMETHODIMP CFileWriterFilter::Pause() {
    dshowbase::CAutoLock lock(&lock_);
    if (state_ == State_Stopped) {
        // Without a file there is nowhere to write: refuse to start rather
        // than drop every sample.
        const HRESULT hr = file_.Begin();
        if (FAILED(hr)) {
            return hr;
        }
    }
    const HRESULT hr = CRendererFilter::Pause();
    if (FAILED(hr) && state_ == State_Stopped) {
        file_.End();
    }
    return hr;
}

STDMETHODIMP CFileWriterFilter::SetFileName(LPCOLESTR name, const AM_MEDIA_TYPE* type) {
    dshowbase::CAutoLock lock(&lock_);
    if (!IsStopped()) {
        return VFW_E_NOT_STOPPED;
    }
    const HRESULT hr = file_.SetName(name);
    if (FAILED(hr)) {
        return hr;
    }
    fileType_.Clear();
    if (type != nullptr && !fileType_.Set(*type)) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

STDMETHODIMP CFileWriterFilter::GetCurFile(LPOLESTR* name, AM_MEDIA_TYPE* type) {
    if (name == nullptr) {
        return E_POINTER;
    }
    *name = nullptr;
    const std::wstring current = file_.Name();
    if (current.empty()) {
        return E_FAIL;
    }
    const HRESULT hr = CopyToTaskMemory(current, name);
    if (FAILED(hr)) {
        return hr;
    }
    if (type != nullptr) {
        dshowbase::CAutoLock lock(&lock_);
        *type = AM_MEDIA_TYPE{};
        if (fileType_.IsValid() && FAILED(dshowbase::CopyMediaType(type, &fileType_))) {
            CoTaskMemFree(*name);
            *name = nullptr;
            return E_OUTOFMEMORY;
        }
    }
    return S_OK;
}

STDMETHODIMP CFileWriterFilter::SetMode(DWORD flags) {
    if ((flags & ~static_cast<DWORD>(AM_FILE_OVERWRITE)) != 0) {
        return E_INVALIDARG;
    }
    file_.SetOverwrite(flags == AM_FILE_OVERWRITE);
    return S_OK;
}

STDMETHODIMP CFileWriterFilter::GetMode(DWORD* flags) {
    if (flags == nullptr) {
        return E_POINTER;
    }
    *flags = file_.Overwrite() ? AM_FILE_OVERWRITE : 0;
    return S_OK;
}

}  // namespace standins
