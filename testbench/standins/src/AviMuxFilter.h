// The bench's "AVI Mux", registered over the platform's class in the test
// prefix: Wine's mux refuses sound streams, so a recording of pictures
// with sound could not be made there. It takes uncompressed-or-not video
// (VIDEOINFOHEADER with a frame time) and PCM sound on input pins that
// appear one by one as each connects ("Input 01", "Input 02", ...), and
// writes an AVI 1.0 file (records/AviLayout.h) through the IStream of the
// pin its output ("AVI Out", MEDIATYPE_Stream / MEDIASUBTYPE_Avi) is
// connected to: the chunks while it runs, then at stop the index, the
// headers with the final counts, and the file's length (a writer that
// keeps an older, longer file would otherwise leave its tail behind).
//
// IConfigInterleaving: INTERLEAVE_FULL writes the chunks of all streams in
// the order of their times (records/ChunkInterleaver.h, waiting at most
// the interleave time, 1 s unless set); the other modes write them as
// they arrive. Streams are numbered by input pin, connected pins only.
#pragma once

#include "AviLayout.h"
#include "ChunkInterleaver.h"

#include "dshowbase/BaseFilter.h"
#include "dshowbase/InputPin.h"
#include "dshowbase/OutputPin.h"

#include <memory>
#include <mutex>
#include <vector>

namespace standins {

class CAviMuxFilter;

class CAviMuxInputPin final : public dshowbase::CBaseInputPin {
public:
    CAviMuxInputPin(CAviMuxFilter* mux, dshowbase::CCritSec* lock, const wchar_t* name);

    HRESULT CheckMediaType(const dshowbase::CMediaType* type) override;
    HRESULT CompleteConnect(IPin* receivePin) override;
    STDMETHODIMP Receive(IMediaSample* sample) override;
    STDMETHODIMP EndOfStream() override;

    // The stream this pin feeds during a run; -1 when unconnected. Set
    // while stopped, read while streaming.
    void SetStreamNumber(int number) { streamNumber_ = number; }

private:
    CAviMuxFilter* mux_;
    int streamNumber_ = -1;
};

class CAviMuxOutputPin final : public dshowbase::CBaseOutputPin {
public:
    CAviMuxOutputPin(CAviMuxFilter* mux, dshowbase::CCritSec* lock);

    HRESULT CheckMediaType(const dshowbase::CMediaType* type) override;
    HRESULT GetMediaType(int position, dshowbase::CMediaType* type) override;
    // The file is written through the other pin's IStream: a pin without
    // one cannot take an AVI file.
    HRESULT CheckConnect(IPin* pin) override;
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;
};

class CAviMuxFilter final : public dshowbase::CBaseFilter, public IConfigInterleaving {
public:
    static dshowbase::CUnknown* Create(HRESULT* result);

    CAviMuxFilter();
    ~CAviMuxFilter() override;

    DSHOWBASE_DECLARE_IUNKNOWN
    HRESULT NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    // "AVI Out" first, then the inputs.
    int GetPinCount() override;
    dshowbase::CBasePin* GetPin(int index) override;

    STDMETHODIMP Stop() override;
    STDMETHODIMP Pause() override;

    // IConfigInterleaving; the mode changes only while stopped.
    STDMETHODIMP put_Mode(InterleavingMode mode) override;
    STDMETHODIMP get_Mode(InterleavingMode* mode) override;
    STDMETHODIMP put_Interleaving(const REFERENCE_TIME* interleave, const REFERENCE_TIME* preroll) override;
    STDMETHODIMP get_Interleaving(REFERENCE_TIME* interleave, REFERENCE_TIME* preroll) override;

    // From the pins.
    void InputConnected(CAviMuxInputPin* pin);
    HRESULT TakeSample(int stream, IMediaSample* sample, const BYTE* data, long length);
    void InputEnded(int stream);

private:
    // Under the filter lock, leaving the stopped state: numbers the
    // connected inputs and lays out their streams.
    HRESULT PrepareRun();
    // The rest under the write lock.
    HRESULT WriteAt(uint64_t offset, const std::vector<uint8_t>& bytes);
    HRESULT WriteChunk(size_t stream, const BYTE* data, uint32_t size, bool keyFrame);
    HRESULT WriteReadyChunks();
    HRESULT FinishFile();
    HRESULT Fail(HRESULT hr);

    dshowbase::CCritSec lock_;
    std::mutex pinsLock_;
    std::unique_ptr<CAviMuxOutputPin> output_;
    std::vector<std::unique_ptr<CAviMuxInputPin>> inputs_;

    // Settings, under the filter lock.
    InterleavingMode mode_ = INTERLEAVE_NONE;
    REFERENCE_TIME interleave_ = 10000000;
    REFERENCE_TIME preroll_ = 0;

    // One run's file, under the write lock (streaming threads, and Stop).
    std::mutex writeLock_;
    Microsoft::WRL::ComPtr<IStream> file_;
    std::unique_ptr<CAviLayout> layout_;
    std::unique_ptr<CChunkInterleaver> interleaver_;
    std::vector<bool> everyChunkKey_;  // per stream: uncompressed, every chunk stands alone
    std::vector<int64_t> lastStart_;   // per stream, for samples without a time
    size_t streamsEnded_ = 0;
    std::vector<bool> ended_;
    bool ordered_ = false;
    bool begun_ = false;
    bool failed_ = false;
    bool finished_ = true;
};

}  // namespace standins
