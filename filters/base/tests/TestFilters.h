// Small filters built on the base layer for its own tests: a live RGB24
// source whose bytes follow the frame index, an inverting transform (copy or
// in place), and a sink that keeps what it receives.
#pragma once

#include "dshowbase/SourceFilter.h"
#include "dshowbase/TransformFilter.h"

#include <mutex>
#include <vector>

namespace basetest {

extern const CLSID CLSID_TestSource;
extern const CLSID CLSID_TestTransform;
extern const CLSID CLSID_TestSink;

// Byte i of frame n.
inline BYTE PatternByte(size_t i, LONGLONG n) {
    return static_cast<BYTE>((i * 7 + static_cast<size_t>(n) * 13) & 0xFF);
}

dshowbase::CMediaType VideoType(int width, int height, WORD bitCount, const GUID& subtype);

class CTestSource : public dshowbase::CSourceFilter {
public:
    CTestSource(int width, int height, WORD bitCount = 24);
    dshowbase::CSourceStreamPin* OutputPin() const { return pin_; }

private:
    dshowbase::CSourceStreamPin* pin_;
};

class CTestTransform : public dshowbase::CTransformFilter {
public:
    explicit CTestTransform(dshowbase::TransformMode mode);

    HRESULT CheckInputType(const dshowbase::CMediaType* input) override;
    HRESULT CheckTransform(const dshowbase::CMediaType* input, const dshowbase::CMediaType* output) override;
    HRESULT GetMediaType(int position, dshowbase::CMediaType* output) override;
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;
    HRESULT Transform(IMediaSample* input, IMediaSample* output) override;
    HRESULT TransformInPlace(IMediaSample* sample) override;
    HRESULT StartStreaming() override;
    HRESULT StopStreaming() override;

    // Raised through the graph on every frame when set.
    long eventCode = 0;
    volatile LONG starts = 0;
    volatile LONG stops = 0;
    volatile LONG inPlaceWithoutCopy = 0;
};

struct ReceivedFrame {
    LONGLONG mediaTime;
    std::vector<BYTE> bytes;
};

class CTestSink : public dshowbase::CBaseFilter {
public:
    CTestSink();
    ~CTestSink() override;

    int GetPinCount() override { return 1; }
    dshowbase::CBasePin* GetPin(int index) override;
    dshowbase::CBaseInputPin* InputPin() const { return pin_.get(); }

    // Waits until at least count frames arrived since the last Clear.
    bool WaitForFrames(size_t count, DWORD timeoutMs);
    std::vector<ReceivedFrame> Frames();
    void Clear();
    LONG EndOfStreamCount() const { return endOfStreams_; }
    LONG FlushCount() const { return flushes_; }

    // Called by the pin.
    void Record(IMediaSample* sample);
    void CountEndOfStream() { InterlockedIncrement(&endOfStreams_); }
    void CountFlush() { InterlockedIncrement(&flushes_); }

private:
    dshowbase::CCritSec lock_;
    std::unique_ptr<dshowbase::CBaseInputPin> pin_;
    std::mutex framesLock_;
    std::vector<ReceivedFrame> frames_;
    HANDLE arrived_;
    volatile LONG endOfStreams_ = 0;
    volatile LONG flushes_ = 0;
};

}  // namespace basetest
