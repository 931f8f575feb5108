#include "WheelAnimation.h"

namespace vimbrel::ui {

namespace {
bool PlayLabels(IWheelPainter& painter, int mode, int frames, bool selected) {
    for (int n = 0; n < frames; ++n) {
        painter.DrawLabel(mode, n, selected);
        if (!painter.Pause(kLabelFramePauseMs)) return false;
    }
    return true;
}
}  // namespace

bool PlayTurn(CWheelState& state, IWheelPainter& painter) {
    if (!state.StartTurn()) return true;
    bool playing = PlayLabels(painter, state.ShownMode(), kUnselectedLabelFrames, false);
    while (playing) {
        int frame = 0;
        while (playing && state.Advance(frame)) {
            painter.DrawRotation(frame);
            playing = painter.Pause(kRotationStepPauseMs);
        }
        if (!playing) break;
        const int target = state.TargetMode();
        playing = PlayLabels(painter, target, kSelectedLabelFrames, true);
        if (playing && state.FinishTurn(target)) return true;
    }
    state.SetAnimating(false);
    return false;
}

}  // namespace vimbrel::ui
