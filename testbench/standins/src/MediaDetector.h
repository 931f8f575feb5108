// The bench's media detector, registered over the platform's class in the
// test prefix: Wine's detector counts streams and lengths but cannot read a
// frame. It serves the suite's own uncompressed recordings (AVI with RGB24
// pictures and any sound, WAVE), read with the RIFF reader: streams, their
// types, media types, lengths and frame rates, and frames scaled to any
// size as packed DIBs. Every other file is refused at once
// (VFW_E_INVALID_FILE_FORMAT, or VFW_E_UNSUPPORTED_STREAM for an AVI with
// compressed pictures): Wine's own detector hangs in its parser on a file
// that is no media, which would hang a test rather than fail it. A source
// filter handed in with put_Filter is not taken (E_NOTIMPL).
//
// As documented for the detector, GetBitmapBits and EnterBitmapGrabMode put
// it into bitmap grab mode, where the stream questions are refused
// (VFW_E_WRONG_STATE) until a new file is given.
#pragma once

#include "FileByteSource.h"
#include "RiffMedia.h"

#include "dshowbase/Unknown.h"

#include <dshow.h>
#include <qedit.h>

#include <memory>
#include <mutex>
#include <string>

namespace standins {

class CMediaDetector final : public dshowbase::CUnknown, public IMediaDet {
public:
    static dshowbase::CUnknown* Create(HRESULT* result);

    CMediaDetector();

    DSHOWBASE_DECLARE_IUNKNOWN
    HRESULT NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    STDMETHODIMP get_Filter(IUnknown** filter) override;
    STDMETHODIMP put_Filter(IUnknown* filter) override;
    STDMETHODIMP get_OutputStreams(LONG* count) override;
    STDMETHODIMP get_CurrentStream(LONG* stream) override;
    STDMETHODIMP put_CurrentStream(LONG stream) override;
    STDMETHODIMP get_StreamType(GUID* type) override;
    STDMETHODIMP get_StreamTypeB(BSTR* type) override;
    STDMETHODIMP get_StreamLength(double* seconds) override;
    STDMETHODIMP get_Filename(BSTR* name) override;
    STDMETHODIMP put_Filename(BSTR name) override;
    STDMETHODIMP GetBitmapBits(double time, LONG* size, char* buffer, LONG width, LONG height) override;
    STDMETHODIMP WriteBitmapBits(double time, LONG width, LONG height, BSTR file) override;
    STDMETHODIMP get_StreamMediaType(AM_MEDIA_TYPE* type) override;
    STDMETHODIMP GetSampleGrabber(ISampleGrabber** grabber) override;
    STDMETHODIMP get_FrameRate(double* rate) override;
    STDMETHODIMP EnterBitmapGrabMode(double time) override;

private:
    // Under lock_: the current stream of a served file, or null (with the
    // refusal in *hr) when there is none or stream questions are closed.
    const MediaStream* StreamForQuestion(HRESULT* hr);
    // A stream question: checks the out pointer, takes the lock and asks
    // fill (stream, out) when a stream may be asked about.
    template <class Value, class Fill>
    HRESULT Answer(Value* out, Fill fill);
    // Under lock_: the packed DIB of the frame at that time, scaled.
    HRESULT ReadFrame(double time, LONG width, LONG height, std::vector<uint8_t>* dib);
    void Forget();

    std::mutex lock_;
    std::wstring fileName_;
    std::unique_ptr<CFileByteSource> source_;
    MediaFile media_;
    LONG current_ = 0;
    bool grabMode_ = false;
};

}  // namespace standins
