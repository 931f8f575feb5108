// A real graph around the registered motion filter:
// scripted source -> "Zavu Motion Detect Filter" -> Sample Grabber -> Null Renderer,
// without a reference clock, with every frame the grabber sees kept.
#pragma once

#include <dshow.h>
#include <qedit.h>
#include <wrl/client.h>

#include <mutex>
#include <vector>

#include "IMotionControl.h"
#include "ScriptedSource.h"

namespace motiontest {

using Microsoft::WRL::ComPtr;

// Not declared by the MinGW headers.
constexpr CLSID kClsidSampleGrabber = {0xc1f400a0, 0x3f08, 0x11d3, {0x9f, 0x0b, 0x00, 0x60, 0x08, 0x03, 0x9e, 0x37}};
constexpr CLSID kClsidNullRenderer = {0xc1f400a4, 0x3f08, 0x11d3, {0x9f, 0x0b, 0x00, 0x60, 0x08, 0x03, 0x9e, 0x37}};

struct GraphEvent {
    long code;
    LONG_PTR param1;
    LONG_PTR param2;
    bool operator==(const GraphEvent& o) const {
        return code == o.code && param1 == o.param1 && param2 == o.param2;
    }
};

// Keeps a copy of every frame that reaches the grabber.
class CFrameKeeper final : public ISampleGrabberCB {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }   // lives on the test's stack
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP SampleCB(double, IMediaSample* sample) override;
    STDMETHODIMP BufferCB(double, BYTE*, LONG) override { return S_OK; }

    std::vector<std::vector<BYTE>> Frames();
    size_t Count();

private:
    std::mutex lock_;
    std::vector<std::vector<BYTE>> frames_;
};

class MotionGraph {
public:
    MotionGraph();
    ~MotionGraph();

    // Adds the four filters and connects them; the result of the first
    // failing connection, else S_OK.
    HRESULT Build(const dshowbase::CMediaType& type, FramePainter painter);

    HRESULT Run();
    HRESULT Stop();

    // The next count motion events (0x8064 / 0x8065) in order, waiting up to
    // timeoutMs in all; fewer when they do not come.
    std::vector<GraphEvent> MotionEvents(size_t count, DWORD timeoutMs);
    bool WaitForFrames(size_t count, DWORD timeoutMs);

    CScriptedSource* source = nullptr;
    ComPtr<IBaseFilter> sourceFilter;
    ComPtr<IBaseFilter> motion;
    ComPtr<IMotionControl> settings;
    ComPtr<IBaseFilter> grabber;
    ComPtr<IBaseFilter> renderer;
    ComPtr<IGraphBuilder> graph;
    ComPtr<IMediaControl> control;
    ComPtr<IMediaEventEx> events;
    CFrameKeeper frames;
};

ComPtr<IPin> FirstPin(IBaseFilter* filter, PIN_DIRECTION direction);

}  // namespace motiontest
