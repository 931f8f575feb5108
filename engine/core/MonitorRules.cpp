#include "engine/core/MonitorRules.h"

namespace camera {

MonitorStep PlanMonitorStart(const EngineValues& values, bool haveWindow) {
    if (!values.ready || !haveWindow || values.requestedMode != kModeMonitor) return MonitorStep::Refuse;
    if (values.captureState == kMonitoring) return MonitorStep::AlreadyDone;
    // A recording owns the capture filter; the mode gate keeps it out
    // already, this keeps it out whatever the order of calls.
    if (values.captureState != kIdle) return MonitorStep::Refuse;
    return MonitorStep::Proceed;
}

MonitorStep PlanMonitorStop(const EngineValues& values) {
    if (!values.ready || values.requestedMode != kModeMonitor) return MonitorStep::Refuse;
    if (values.captureState == kIdle) return MonitorStep::AlreadyDone;
    if (values.captureState != kMonitoring) return MonitorStep::Refuse;
    return MonitorStep::Proceed;
}

}  // namespace camera
