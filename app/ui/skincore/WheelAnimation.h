// One wake of the mode wheel's animation thread as a script of drawings
// and pauses, so the timing can be followed on a virtual clock.
#pragma once

#include "WheelLogic.h"

namespace vimbrel::ui {

constexpr int kLabelFramePauseMs = 80;
constexpr int kRotationStepPauseMs = 40;

class IWheelPainter {
public:
    virtual ~IWheelPainter() = default;
    // Label frame `frame` of `mode`, selected or not, over the current
    // rotation frame.
    virtual void DrawLabel(int mode, int frame, bool selected) = 0;
    // Rotation frame `frame` under the glass.
    virtual void DrawRotation(int frame) = 0;
    // Waits `ms`; false when the wheel is closing and the turn must stop.
    virtual bool Pause(int ms) = 0;
};

// Plays one turn: the shown mode's label fades out, the wheel steps forward
// to the target frame, the target's label fades in. A target that moves
// meanwhile is followed to its end; a wake with nothing left to do draws
// nothing. Returns false when a pause was cut
// short by closing; the animating flag is cleared either way.
bool PlayTurn(CWheelState& state, IWheelPainter& painter);

}  // namespace vimbrel::ui
