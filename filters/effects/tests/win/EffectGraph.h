// Real graphs around the registered effects filter for the Windows tests:
// a source -> "Vimbrel_Effect" (found by the device enumerator, as the
// capture engine finds it) -> Sample Grabber -> Null Renderer, without a
// clock, keeping a copy of every frame that reaches the grabber.
#pragma once

#include <dshow.h>
#include <qedit.h>
#include <wrl/client.h>

#include <gtest/gtest.h>

#include <mutex>
#include <vector>

#include "IVideoEffect.h"

namespace lenstinttest {

using Microsoft::WRL::ComPtr;

class ComTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))); }
    void TearDown() override { CoUninitialize(); }
};

struct GrabbedFrame {
    std::vector<BYTE> bytes;
    LONGLONG mediaTime = -1;  // the source's frame number, when it stamps one
};

class CFrameKeeper final : public ISampleGrabberCB {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }  // lives inside the graph object
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP SampleCB(double, IMediaSample* sample) override;
    STDMETHODIMP BufferCB(double, BYTE*, LONG) override { return S_OK; }

    std::vector<GrabbedFrame> Frames();
    size_t Count();
    void Clear();

private:
    std::mutex lock_;
    std::vector<GrabbedFrame> frames_;
};

// The moniker of the filter listed under this friendly name in the
// DirectShow filters category, and the filter bound through it; null when it
// is not listed.
ComPtr<IMoniker> MonikerByFriendlyName(const wchar_t* name);
ComPtr<IBaseFilter> FilterByFriendlyName(const wchar_t* name);
ComPtr<IPin> FirstPin(IBaseFilter* filter, PIN_DIRECTION direction);

class CEffectGraph {
public:
    CEffectGraph();
    ~CEffectGraph();

    // Adds the source, the effects filter, the grabber and the renderer and
    // connects them (from sourcePin, or the source's first output pin); the
    // first failing result, else S_OK.
    HRESULT Build(IBaseFilter* source, IPin* sourcePin = nullptr);
    // Uses this effects filter object instead of a new one (before Build).
    void UseEffect(IBaseFilter* filter);
    HRESULT Run() { return control->Run(); }
    HRESULT Stop() { return control->Stop(); }
    bool WaitForFrames(size_t count, DWORD timeoutMs);

    ComPtr<IGraphBuilder> graph;
    ComPtr<IMediaControl> control;
    ComPtr<IBaseFilter> effect;
    ComPtr<IVideoEffect> settings;
    ComPtr<IBaseFilter> grabber;
    ComPtr<IBaseFilter> renderer;
    CFrameKeeper frames;
};

}  // namespace lenstinttest
