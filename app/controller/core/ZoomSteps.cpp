#include "ZoomSteps.h"

#include <initializer_list>

namespace vimbrel::controller {

float ZoomInStep(float zoom) {
    float next = zoom + kZoomKeyStep;
    return next >= kZoomMaximum ? kZoomMaximum : next;
}

float ZoomOutStep(float zoom) {
    float next = zoom - kZoomKeyStep;
    return next <= kZoomMinimum ? kZoomMinimum : next;
}

float HardwareZoomStep(float zoom) {
    // Each rung catches every zoom up to it and moves half a step above
    // it, so a factor the keys left between two rungs skips the lower one.
    for (float rung : {1.0f, 1.5f, 2.0f, 2.5f, 3.0f, 3.5f}) {
        if (zoom <= rung) return rung + 0.5f;
    }
    return kZoomMinimum;
}

}  // namespace vimbrel::controller
