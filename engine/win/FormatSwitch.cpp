#include "engine/win/FormatSwitch.h"

#include "engine/win/PreviewGraph.h"
#include "failtrail/FailTrail.h"

namespace camera {

int ApplyVideoFormat(CaptureEngineState& state, int index, int force) {
    EngineValues& values = state.values;
    if (!values.IsReadyAndIdle() || index < 0 || index >= state.videoFormats.Count()) return 0;
    if (index == values.currentFormatIndex && force == 0 && values.currentFormatApplied) return 1;
    values.currentFormatIndex = index;
    values.currentFormatApplied = false;

    if (state.previewControl) {
        state.previewControl->Pause();
        RETURN_VALUE_IF_FAILED(0, state.previewControl->Stop());
    }
    StopAndEmptyPreview(state);

    ComPtr<IAMStreamConfig> config;
    if (FAILED(FindCaptureStreamConfig(state.previewBuilder.Get(), state.videoCapture.Get(), config)) ||
        FAILED(config->SetFormat(state.videoFormats.At(index)->MediaType())))
        return 0;
    if (FAILED(BuildPreviewGraph(state, force == 0)) || FAILED(RunPreview(state))) return 0;
    values.currentFormatApplied = true;
    return 1;
}

}  // namespace camera
