// An input pin of the bench's ASF writer: one for sound ("Audio Input 01"),
// one for pictures ("Video Input 01"). It encodes nothing; it counts what
// arrives (samples, bytes, times, frames of the wrong size, silent sound
// buffers) for the writer's record.
#pragma once

#include "AsfRecord.h"

#include "dshowbase/InputPin.h"

#include <mutex>
#include <vector>

namespace standins {

class CAsfWriterFilter;

enum class AsfPinKind { Audio, Video };

class CAsfInputPin final : public dshowbase::CBaseInputPin {
public:
    CAsfInputPin(CAsfWriterFilter* writer, dshowbase::CCritSec* lock, AsfPinKind kind);

    HRESULT CheckMediaType(const dshowbase::CMediaType* type) override;
    HRESULT SetMediaType(const dshowbase::CMediaType* type) override;
    HRESULT Active() override;
    STDMETHODIMP Receive(IMediaSample* sample) override;
    STDMETHODIMP EndOfStream() override;

    AsfPinKind Kind() const { return kind_; }
    // What the record says about this pin.
    AsfPinRecord Record();
    bool EndOfStreamSeen();

private:
    void Count(IMediaSample* sample, const BYTE* data, long length);

    CAsfWriterFilter* writer_;
    AsfPinKind kind_;
    // Set while connecting (stopped), read while streaming.
    uint16_t bitsPerSample_ = 16;
    std::vector<long> frameSizes_;
    std::mutex statsLock_;
    AsfPinRecord stats_;
};

}  // namespace standins
