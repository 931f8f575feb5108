// The detector's outside world: where its events go, the graph it asks for
// an event sink, and the millisecond clock that paces detection passes.
#pragma once

#include <cstdint>

namespace motion {

class IMotionEventSink {
public:
    virtual void Notify(std::int32_t code, std::intptr_t param1, std::intptr_t param2) = 0;

protected:
    ~IMotionEventSink() = default;
};

// The graph the detector runs in. The sink it answers is not owned by the
// caller and must stay valid until the detector forgets the graph.
class IDetectorGraph {
public:
    virtual IMotionEventSink* QueryEventSink() = 0;

protected:
    ~IDetectorGraph() = default;
};

// A millisecond tick count that wraps at 2^32, like the system's.
class ITickSource {
public:
    virtual std::uint32_t Now() = 0;

protected:
    ~ITickSource() = default;
};

}  // namespace motion
