// Helpers for the Wine tests that drive the bench devices and the platform's
// filters: COM set-up, the control object, device lookup by friendly name,
// pins by name or direction, and a Sample Grabber callback that keeps what
// passes.
#pragma once

#include "BenchDevices.h"
#include "GraphFixture.h"

#include "dshowbase/ClassIds.h"
#include "dshowbase/MediaType.h"

#include <dshow.h>
#include <qedit.h>
#include <wrl/client.h>

#include <gtest/gtest.h>

#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace benchtest {

using Microsoft::WRL::ComPtr;

// Called for each entry of a device category that has a friendly name, with
// the entry's moniker and property bag; returns false to end the walk.
using CategoryVisit = std::function<bool(IMoniker* moniker, IPropertyBag* properties, const wchar_t* friendlyName)>;
// Walks a device category in enumeration order (nothing when the system
// device enumerator or the category is missing).
void ForEachInCategory(const CLSID& category, const CategoryVisit& visit);

// Friendly names of a device category, in enumeration order.
std::vector<std::wstring> DeviceNames(const CLSID& category);
// The device of that name bound to its filter, or null.
ComPtr<IBaseFilter> BindDevice(const CLSID& category, const wchar_t* name);
ComPtr<IBaseFilter> CreateFilter(const CLSID& clsid);
ComPtr<IPin> FindPin(IBaseFilter* filter, const wchar_t* name);
ComPtr<IPin> FirstPin(IBaseFilter* filter, PIN_DIRECTION direction);

struct GrabbedSample {
    double seconds;  // the sample's start time as the grabber reports it
    LONGLONG mediaTime;
    std::vector<BYTE> bytes;
};

// Keeps every sample the grabber sees (SampleCB).
class CGrabberLog : public ISampleGrabberCB {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP SampleCB(double time, IMediaSample* sample) override;
    STDMETHODIMP BufferCB(double time, BYTE* buffer, long length) override;

    bool WaitFor(size_t count, DWORD timeoutMs);
    std::vector<GrabbedSample> Samples();
    void Clear();
    // Keeps the streaming thread in the callback of the first sample, as a
    // loaded machine might.
    void HoldFirstSampleFor(DWORD milliseconds) { holdFirstMs_ = milliseconds; }

private:
    DWORD holdFirstMs_ = 0;
    std::mutex lock_;
    std::vector<GrabbedSample> samples_;
};

// A graph with a Sample Grabber (of the given major type) feeding a Null
// Renderer; the test connects its source to GrabberInput().
class GrabberGraph : public basetest::TestGraph {
public:
    explicit GrabberGraph(const GUID& majorType);
    ~GrabberGraph();

    IPin* GrabberInput() { return grabberIn.Get(); }
    // Runs, waits for count samples, stops; false when they did not come.
    bool RunFor(size_t count, DWORD timeoutMs);

    ComPtr<IBaseFilter> grabber;
    ComPtr<ISampleGrabber> grabberControl;
    ComPtr<IBaseFilter> renderer;
    ComPtr<IPin> grabberIn;
    CGrabberLog log;
};

class BenchTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    ComPtr<IBenchDeviceControl> bench;
};

}  // namespace benchtest
