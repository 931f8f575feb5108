// The bench's "File writer", registered over the platform's class in the
// test prefix. It writes each sample at the byte offset its start time
// gives (a sample without a time follows the previous write), and its pin
// also offers IStream, through which a multiplexer rewrites headers and
// indexes; Wine's own writer has no IStream (AVI Mux cannot finish a file
// through it) and no IFileSinkFilter2 (the WAV graph cannot set the
// overwrite mode). Mode 0 leaves an existing file's bytes in place and
// writes over them; AM_FILE_OVERWRITE empties the file first.
#pragma once

#include "TargetFile.h"

#include "RendererFilter.h"

#include "dshowbase/InputPin.h"

#include <memory>

namespace standins {

class CFileWriterFilter;

class CFileWriterPin final : public dshowbase::CBaseInputPin, public IStream {
public:
    CFileWriterPin(CFileWriterFilter* filter, dshowbase::CCritSec* lock, CTargetFile* file);

    DSHOWBASE_DECLARE_IUNKNOWN
    HRESULT NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    HRESULT CheckMediaType(const dshowbase::CMediaType* type) override;
    STDMETHODIMP Receive(IMediaSample* sample) override;
    STDMETHODIMP EndOfStream() override;

    // ISequentialStream / IStream, at a position of their own.
    STDMETHODIMP Read(void* data, ULONG size, ULONG* read) override;
    STDMETHODIMP Write(const void* data, ULONG size, ULONG* written) override;
    STDMETHODIMP Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position) override;
    STDMETHODIMP SetSize(ULARGE_INTEGER size) override;
    STDMETHODIMP CopyTo(IStream* target, ULARGE_INTEGER size, ULARGE_INTEGER* read, ULARGE_INTEGER* written) override;
    STDMETHODIMP Commit(DWORD flags) override;
    STDMETHODIMP Revert() override;
    STDMETHODIMP LockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER size, DWORD type) override;
    STDMETHODIMP UnlockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER size, DWORD type) override;
    STDMETHODIMP Stat(STATSTG* stat, DWORD flags) override;
    STDMETHODIMP Clone(IStream** clone) override;

    bool Ended() const { return endOfStream_; }

private:
    CFileWriterFilter* writer_;
    CTargetFile* file_;
    std::mutex positionLock_;
    uint64_t position_ = 0;
};

class CFileWriterFilter final : public CRendererFilter, public IFileSinkFilter2 {
public:
    static dshowbase::CUnknown* Create(HRESULT* result);

    CFileWriterFilter();
    ~CFileWriterFilter() override;

    DSHOWBASE_DECLARE_IUNKNOWN
    HRESULT NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    int GetPinCount() override { return 1; }
    dshowbase::CBasePin* GetPin(int index) override;

    STDMETHODIMP Stop() override;
    STDMETHODIMP Pause() override;

    // IFileSinkFilter2
    STDMETHODIMP SetFileName(LPCOLESTR name, const AM_MEDIA_TYPE* type) override;
    STDMETHODIMP GetCurFile(LPOLESTR* name, AM_MEDIA_TYPE* type) override;
    STDMETHODIMP SetMode(DWORD flags) override;
    STDMETHODIMP GetMode(DWORD* flags) override;

protected:
    bool AllStreamsEnded() override { return pin_->Ended(); }

private:
    dshowbase::CCritSec lock_;
    CTargetFile file_;
    dshowbase::CMediaType fileType_;
    std::unique_ptr<CFileWriterPin> pin_;
};

}  // namespace standins
