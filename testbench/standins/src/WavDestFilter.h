// "WAV Dest": turns a PCM stream into the bytes of a WAVE file for the file
// writer behind it. Every buffer it delivers is stamped with its byte offset
// in the file as its time, which is where a file writer puts it: first the
// header (with no data yet), then the sound. When the stream stops (or
// ends) the header is written again with the final length, through the
// file writer's IStream. A writer without IStream instead gets a fresh
// header after every buffer, so its file is right whenever it stops.
#pragma once

#include "WaveHeader.h"

#include "dshowbase/TransformFilter.h"

#include <wrl/client.h>

namespace standins {

class CWavDestFilter final : public dshowbase::CTransformFilter {
public:
    static dshowbase::CUnknown* Create(HRESULT* result);

    CWavDestFilter();

    HRESULT CheckInputType(const dshowbase::CMediaType* input) override;
    HRESULT CheckTransform(const dshowbase::CMediaType* input, const dshowbase::CMediaType* output) override;
    HRESULT GetMediaType(int position, dshowbase::CMediaType* output) override;
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;
    HRESULT SetMediaType(PIN_DIRECTION direction, const dshowbase::CMediaType* type) override;
    HRESULT StartStreaming() override;
    HRESULT StopStreaming() override;
    HRESULT Receive(IMediaSample* sample) override;
    HRESULT EndOfStream() override;

private:
    // Delivers bytes that belong at this file offset, in as many buffers
    // as it takes.
    HRESULT DeliverAt(const BYTE* data, uint32_t size, uint64_t offset);
    // The header for what was written so far, and the pad byte an odd
    // data length needs.
    HRESULT DeliverHeader();
    HRESULT WriteHeaderToStream();

    PcmFormat format_;
    // Streaming state, guarded by the streaming lock.
    uint32_t written_ = 0;
    bool started_ = false;
    Microsoft::WRL::ComPtr<IStream> stream_;
};

}  // namespace standins
