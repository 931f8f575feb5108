#include "engine/core/ModeTransition.h"

namespace camera {

ModeStep PlanModeChange(const EngineValues& values, int mode) {
    if (!values.IsReadyAndIdle() || !IsValidMode(mode)) return ModeStep::Refuse;
    // A preview that was emptied (a failed rebuild, monitoring or a
    // recording ended by a suspend) serves no preview mode.
    const bool previewGone = IsPreviewMode(mode) && values.rebuildPreview;
    if (mode == values.appliedMode && !previewGone) return ModeStep::AlreadyApplied;
    if (!IsPreviewMode(mode)) return ModeStep::StopCapture;
    if (IsPreviewMode(values.appliedMode) && !previewGone) return ModeStep::KeepPreview;
    return ModeStep::StartPreview;
}

}  // namespace camera
