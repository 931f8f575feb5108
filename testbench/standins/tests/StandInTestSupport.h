// What the stand-ins' Wine tests share: COM set-up, a graph, class lookup
// in the filters category, files under the test folder, and two test
// filters: a source the test pushes samples through by hand, and a sink
// that keeps what it receives.
#pragma once

#include "GraphFixture.h"

#include "dshowbase/BaseFilter.h"
#include "dshowbase/MediaType.h"
#include "dshowbase/InputPin.h"
#include "dshowbase/OutputPin.h"

#include <dshow.h>
#include <wrl/client.h>

#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

namespace standintest {

using Microsoft::WRL::ComPtr;

using basetest::ComTest;
using basetest::TestGraph;

template <class Interface>
ComPtr<Interface> Create(REFCLSID clsid) {
    ComPtr<Interface> object;
    CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, __uuidof(Interface),
                     reinterpret_cast<void**>(object.GetAddressOf()));
    return object;
}

dshowbase::CMediaType PcmType(WORD channels, DWORD samplesPerSec, WORD bitsPerSample);
// Bottom-up RGB24 frames with rows packed (width x 3), as the test devices
// deliver them.
dshowbase::CMediaType Rgb24Type(LONG width, LONG height, REFERENCE_TIME frameTime);
dshowbase::CMediaType ByteStreamType();

ComPtr<IPin> PinNamed(IBaseFilter* filter, const wchar_t* name);
std::vector<std::wstring> PinNames(IBaseFilter* filter);

// The first filter of the DirectShow filters category whose friendly name
// starts with prefix, as the engine finds its filters; GUID_NULL if none.
CLSID FindByFriendlyName(const wchar_t* prefix);

// A file in the test folder, deleted first and when the test ends.
class TestFile {
public:
    explicit TestFile(const std::string& name);
    ~TestFile();
    const std::wstring& Wide() const { return wide_; }
    const std::string& Narrow() const { return narrow_; }
    std::vector<uint8_t> Bytes() const;

private:
    std::string narrow_;
    std::wstring wide_;
};

// A source with one output pin ("Out") of a fixed media type; the test
// delivers each sample itself while the graph runs.
class CPushSource final : public dshowbase::CBaseFilter {
public:
    CPushSource(const AM_MEDIA_TYPE& type, long bufferSize);
    ~CPushSource() override;

    int GetPinCount() override { return 1; }
    dshowbase::CBasePin* GetPin(int index) override;
    IPin* Pin();

    static constexpr REFERENCE_TIME kUntimed = INT64_MIN;
    // start kUntimed: no time on the sample.
    HRESULT Push(const std::vector<uint8_t>& bytes, REFERENCE_TIME start, REFERENCE_TIME stop);
    HRESULT EndOfStream();

private:
    class COutput;
    dshowbase::CCritSec lock_;
    std::unique_ptr<COutput> pin_;
};

struct SinkSample {
    std::vector<uint8_t> bytes;
    bool timed;
    REFERENCE_TIME start;
};

// A sink with one input pin ("In") that takes the types its acceptance
// function allows and keeps every sample. It has no IStream, so it also
// stands for a file writer that only places samples by their offsets.
class CKeepingSink final : public dshowbase::CBaseFilter {
public:
    explicit CKeepingSink(const GUID& majorType);
    ~CKeepingSink() override;

    int GetPinCount() override { return 1; }
    dshowbase::CBasePin* GetPin(int index) override;
    IPin* Pin();

    std::vector<SinkSample> Samples();
    // The samples written at their offsets, as a file writer would.
    std::vector<uint8_t> AsFile();
    void Keep(IMediaSample* sample);

private:
    class CInput;
    dshowbase::CCritSec lock_;
    std::unique_ptr<CInput> pin_;
    std::mutex samplesLock_;
    std::vector<SinkSample> samples_;
};

}  // namespace standintest
