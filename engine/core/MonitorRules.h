// When the monitor exports may start or stop motion monitoring: only in
// the monitor mode, only once the engine is ready, and never on top of a
// recording.
#pragma once

#include "engine/core/EngineValues.h"

namespace camera {

enum class MonitorStep {
    Refuse,
    AlreadyDone,  // already monitoring (start) or already idle (stop)
    Proceed,
};

MonitorStep PlanMonitorStart(const EngineValues& values, bool haveWindow);
MonitorStep PlanMonitorStop(const EngineValues& values);

}  // namespace camera
