#include "engine/core/ModeTransition.h"

namespace camera {

ModeStep PlanModeChange(const EngineValues& values, int mode) {
    if (!values.IsReadyAndIdle() || !IsValidMode(mode)) return ModeStep::Refuse;
    if (mode == values.appliedMode) return ModeStep::AlreadyApplied;
    if (!IsPreviewMode(mode)) return ModeStep::StopCapture;
    if (IsPreviewMode(values.appliedMode)) return ModeStep::KeepPreview;
    return ModeStep::StartPreview;
}

}  // namespace camera
