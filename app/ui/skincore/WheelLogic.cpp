#include "WheelLogic.h"

#include <cstdio>

namespace vimbrel::ui {

const WheelSector kWheelSectors[kWheelSectorCount] = {
    {MakeColour(0xFF, 0xFF, 0x00), 1},  // yellow
    {MakeColour(0xFF, 0x00, 0x00), 2},  // red
    {MakeColour(0xFF, 0x00, 0xFF), 3},  // magenta
    {MakeColour(0x00, 0x00, 0xFF), 4},  // blue
    {MakeColour(0x00, 0xFF, 0xFF), 5},  // cyan
};

namespace {
std::string Format(const char* format, int a, int b = 0) {
    char text[32];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}
}  // namespace

std::string RotationFrameName(int frame) { return Format(frame < 10 ? "cycle0%i.png" : "cycle%i.png", frame); }

std::string HoverPictureName(int mode) { return Format("hover%i.png", mode); }

std::string LabelFrameName(int mode, int frame) { return Format("mode%i_0%i.png", mode, frame); }

std::string SelectedLabelFrameName(int mode, int frame) {
    return Format(frame < 10 ? "mode%is_0%i.png" : "mode%is_%i.png", mode, frame);
}

const char* ModeTipKey(int mode) {
    static const char* const keys[kWheelModeCount] = {
        "IDS_TIP_VIDEOMODE", "IDS_TIP_VIDEOONLYMODE", "IDS_TIP_AUDIOMODE",
        "IDS_TIP_IMAGEMODE", "IDS_TIP_BROWSEMODE",    "IDS_TIP_MONITORMODE",
    };
    return IsWheelMode(mode) ? keys[mode] : nullptr;
}

HoverStep StepHover(int hovered, int hit) {
    HoverStep step;
    if (hit != kNoSector) {
        step.capture = true;
        step.redraw = hit != hovered;
        step.handCursor = step.redraw;
        step.hovered = hit;
    } else {
        // Leaving the sectors redraws once, without the highlight.
        step.redraw = hovered != kNoSector;
        step.hovered = kNoSector;
    }
    return step;
}

int CWheelState::ShownMode() const {
    std::lock_guard<std::mutex> hold(lock_);
    return shown_;
}

int CWheelState::TargetMode() const {
    std::lock_guard<std::mutex> hold(lock_);
    return target_;
}

int CWheelState::CurrentFrame() const {
    std::lock_guard<std::mutex> hold(lock_);
    return frame_;
}

int CWheelState::TargetFrame() const {
    std::lock_guard<std::mutex> hold(lock_);
    return targetFrame_;
}

int CWheelState::Hovered() const {
    std::lock_guard<std::mutex> hold(lock_);
    return hovered_;
}

bool CWheelState::Animating() const {
    std::lock_guard<std::mutex> hold(lock_);
    return animating_;
}

bool CWheelState::Quitting() const {
    std::lock_guard<std::mutex> hold(lock_);
    return quit_;
}

void CWheelState::SetHovered(int sector) {
    std::lock_guard<std::mutex> hold(lock_);
    hovered_ = sector;
}

void CWheelState::SetAnimating(bool animating) {
    std::lock_guard<std::mutex> hold(lock_);
    animating_ = animating;
}

void CWheelState::RequestQuit() {
    std::lock_guard<std::mutex> hold(lock_);
    quit_ = true;
}

void CWheelState::BeginTurn(int mode) {
    std::lock_guard<std::mutex> hold(lock_);
    target_ = mode;
    targetFrame_ = FrameOfMode(mode);
    animating_ = true;
}

bool CWheelState::StartTurn() {
    std::lock_guard<std::mutex> hold(lock_);
    animating_ = frame_ != targetFrame_ || shown_ != target_;
    return animating_;
}

CWheelState::Change CWheelState::SetMode(int mode, bool animate) {
    if (!IsWheelMode(mode)) return Change::Refused;
    std::lock_guard<std::mutex> hold(lock_);
    if (mode == target_) return Change::None;
    target_ = mode;
    if (animate) {
        targetFrame_ = FrameOfMode(mode);
        animating_ = true;
        return Change::Turn;
    }
    // The target frame moves with the jump: left behind, a turn still
    // running would carry the wheel back to the old mode's frame.
    frame_ = FrameOfMode(mode);
    targetFrame_ = frame_;
    return Change::Jump;
}

void CWheelState::FinishJump(int mode) {
    std::lock_guard<std::mutex> hold(lock_);
    shown_ = mode;
}

bool CWheelState::Advance(int& frame) {
    std::lock_guard<std::mutex> hold(lock_);
    if (frame_ == targetFrame_) return false;
    frame_ = NextWheelFrame(frame_);
    frame = frame_;
    return true;
}

bool CWheelState::FinishTurn(int labelled) {
    std::lock_guard<std::mutex> hold(lock_);
    if (frame_ != targetFrame_ || target_ != labelled) return false;
    shown_ = target_;
    animating_ = false;
    return true;
}

}  // namespace vimbrel::ui
