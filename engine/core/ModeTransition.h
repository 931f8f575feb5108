// Decides how much graph work a mode switch needs. The preview modes share
// one running preview graph, so moving between them costs nothing; the
// audio and browse modes stop every capture graph.
#pragma once

#include "engine/core/EngineValues.h"

namespace camera {

enum class ModeStep {
    Refuse,          // not ready, busy recording or monitoring, or no such mode
    AlreadyApplied,  // the graphs are already as asked
    KeepPreview,     // another preview mode: the built preview serves it
    StopCapture,     // audio or browse: stop the graphs, nothing to build
    StartPreview,    // stop what runs, build the preview when needed, run it
};

ModeStep PlanModeChange(const EngineValues& values, int mode);

}  // namespace camera
