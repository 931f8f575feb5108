#pragma once
// The digital zoom's steps: the zoom keys move by 0.05 between 1.0 and
// 4.0, the camera's hardware zoom button walks a ladder of half steps and
// wraps to 1.0 after the top.

namespace vimbrel::controller {

constexpr float kZoomMinimum = 1.0f;
constexpr float kZoomMaximum = 4.0f;
constexpr float kZoomKeyStep = 0.05f;

float ZoomInStep(float zoom);
float ZoomOutStep(float zoom);
float HardwareZoomStep(float zoom);

}  // namespace vimbrel::controller
