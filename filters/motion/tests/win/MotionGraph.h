// A real graph around the registered motion filter, bound by its friendly
// name as the capture engine binds it:
// source -> "Zavu Motion Detect Filter" -> Sample Grabber -> Null Renderer,
// without a reference clock, with every frame the grabber sees kept.
//
// The graph is paused before it runs: pausing starts the filter's streaming
// (the detector gets its frame size and the graph), so a test can configure
// detection before the first frame, and a live source delivers nothing until
// the graph runs. Frame n that the grabber keeps is then the source's frame
// n, however slowly the machine runs.
#pragma once

#include <dshow.h>

#include <ostream>
#include <vector>

#include "BenchTestSupport.h"
#include "IMotionControl.h"
#include "ScriptedSource.h"

namespace motiontest {

using Microsoft::WRL::ComPtr;
using basetest::FramePainter;
using basetest::VideoInfoType;

struct GraphEvent {
    long code;
    LONG_PTR param1;
    LONG_PTR param2;
    bool operator==(const GraphEvent& o) const { return code == o.code && param1 == o.param1 && param2 == o.param2; }
};

void PrintTo(const GraphEvent& e, std::ostream* os);

// EC_MOTION_DETECTED with its rectangle packed as the filter packs it.
GraphEvent MotionAt(int left, int top, int right, int bottom);
extern const GraphEvent kBaseFrameSet;

class MotionGraph {
public:
    MotionGraph();

    // Adds the source and connects the chain; the result of the first
    // failing connection, else S_OK.
    HRESULT Build(IBaseFilter* source, IPin* sourceOutput);
    // The bench camera's capture pin as the source.
    HRESULT BuildWithCamera();
    // A scripted source of this type as the source.
    HRESULT BuildScripted(const dshowbase::CMediaType& type, FramePainter painter);

    HRESULT Pause();
    HRESULT Run();

    // The next count motion events (0x8064 / 0x8065) in order, waiting up to
    // timeoutMs in all; fewer when they do not come.
    std::vector<GraphEvent> MotionEvents(size_t count, DWORD timeoutMs);
    // The motion events already raised, without waiting.
    std::vector<GraphEvent> PendingMotionEvents();

    bool WaitForFrames(size_t count, DWORD timeoutMs) { return sink.log.WaitFor(count, timeoutMs); }
    // Every frame that has left the filter so far, in order.
    std::vector<benchtest::GrabbedSample> Frames() { return sink.log.Samples(); }

    benchtest::GrabberGraph sink{MEDIATYPE_Video};
    ComPtr<IBaseFilter> motion;
    ComPtr<IMotionControl> settings;
    ComPtr<IBaseFilter> source;
};

}  // namespace motiontest
