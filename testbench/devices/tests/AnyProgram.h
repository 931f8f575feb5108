// What a graph editor or another camera program does with a filter it did
// not write: find it through the filter mapper, open its pages in the
// system's property frame, and keep its state in a stream.
#pragma once

#include "BenchTestSupport.h"

#include <dshow.h>
#include <wrl/client.h>

#include <vector>

namespace benchtest {

// The class ids IFilterMapper2::EnumMatchingFilters lists for filters of at
// least this merit whose input pin takes the given video subtype (any merit
// down to MERIT_DO_NOT_USE), in the mapper's order.
std::vector<CLSID> FiltersTakingVideo(const GUID& subtype, DWORD merit);

// The first window under `top`, at any depth, with this control id; null
// when there is none.
HWND FindControl(HWND top, int id);

// Shows the filter's pages (ISpecifyPropertyPages) in OleCreatePropertyFrame,
// modal on this thread, owned by a window of its own; the frame's result.
HRESULT ShowPropertyFrame(IUnknown* filter);

// Saves the object through IPersistStream into a memory stream and rewinds
// it; null when saving failed.
Microsoft::WRL::ComPtr<IStream> SaveToStream(IUnknown* object);

// bench camera -> filter -> Sample Grabber (RGB24) -> whatever renderer the
// graph picks, joined as a graph editor joins them: IGraphBuilder::Connect
// from pin to pin (Intelligent Connect) and Render on the last pin. The
// graph keeps its default clock.
class CAnyProgramGraph {
public:
    CAnyProgramGraph();
    ~CAnyProgramGraph();

    // The first failing step, else S_OK.
    HRESULT Build(IBaseFilter* filter);
    // Runs until count frames more than now were grabbed; false when they
    // did not come in time.
    bool RunFor(size_t count, DWORD timeoutMs);

    ComPtr<IGraphBuilder> graph;
    ComPtr<IMediaControl> control;
    ComPtr<IBaseFilter> camera;
    ComPtr<IBaseFilter> grabber;
    ComPtr<ISampleGrabber> grabberControl;
    CGrabberLog log;
};

}  // namespace benchtest
