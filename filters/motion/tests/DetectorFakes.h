// Stand-ins for the detector's outside world in native tests.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "DetectorPorts.h"

namespace motion_test {

struct RaisedEvent {
    std::int32_t code;
    std::intptr_t param1;
    std::intptr_t param2;
    bool operator==(const RaisedEvent& o) const { return code == o.code && param1 == o.param1 && param2 == o.param2; }
};

class RecordingSink : public motion::IMotionEventSink {
public:
    void Notify(std::int32_t code, std::intptr_t p1, std::intptr_t p2) override {
        events.push_back(RaisedEvent{code, p1, p2});
        if (onNotify) onNotify();
    }
    std::vector<RaisedEvent> events;
    std::function<void()> onNotify;
};

class FakeGraph : public motion::IDetectorGraph {
public:
    explicit FakeGraph(motion::IMotionEventSink* s) : sink(s) {}
    motion::IMotionEventSink* QueryEventSink() override { return sink; }
    motion::IMotionEventSink* sink;
};

class SteppingTicks : public motion::ITickSource {
public:
    std::uint32_t Now() override { return now; }
    std::uint32_t now = 1000;
};

}  // namespace motion_test
