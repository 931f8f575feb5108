// The detector's view of the DirectShow world: the graph's event sink and
// the system tick count.
#pragma once

#include <dshow.h>

#include "DetectorPorts.h"
#include "dshowbase/BaseFilter.h"

namespace movesense {

// Asks the filter's current graph for its IMediaEventSink. The sink is kept
// without a reference: the graph owns the filter, and it outlives every
// stream the detector runs.
class CDetectorGraphPort final : public motion::IDetectorGraph, public motion::IMotionEventSink {
public:
    explicit CDetectorGraphPort(dshowbase::CBaseFilter* filter) : filter_(filter) {}

    motion::IMotionEventSink* QueryEventSink() override;
    void Notify(std::int32_t code, std::intptr_t param1, std::intptr_t param2) override;

private:
    dshowbase::CBaseFilter* filter_;
    IMediaEventSink* sink_ = nullptr;
};

class CSystemTicks final : public motion::ITickSource {
public:
    std::uint32_t Now() override { return GetTickCount(); }
};

}  // namespace movesense
