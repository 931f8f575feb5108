// The mode wheel's rules apart from its window: which sector leads to
// which mode, the rotation frames and their walk, the picture names, the
// tooltip texts and the state the user-interface and animation threads
// share.
#pragma once

#include "SkinTypes.h"

#include <mutex>
#include <string>

namespace vimbrel::ui {

constexpr int kWheelModeCount = 6;
constexpr int kWheelFrameCount = 36;
constexpr int kWheelFramesPerMode = kWheelFrameCount / kWheelModeCount;
constexpr int kWheelSectorCount = 5;
constexpr int kNoSector = -1;
// The mode browsing stored media; leaving it asks the controller first.
constexpr int kBrowseMode = 4;

// Sector i (1..5) of the map, its key colour and the steps it adds to the
// shown mode. Sectors are tested in this order.
struct WheelSector {
    Colour key;
    int offset;
};
extern const WheelSector kWheelSectors[kWheelSectorCount];

constexpr bool IsWheelMode(int mode) { return mode >= 0 && mode < kWheelModeCount; }
constexpr int FrameOfMode(int mode) { return mode * kWheelFramesPerMode; }
// The frame after `frame`: the wheel only turns forward, 35 wraps to 0.
constexpr int NextWheelFrame(int frame) { return (frame + 1) % kWheelFrameCount; }
// How many rotation steps lie from one frame forward to another.
constexpr int WheelStepsBetween(int from, int to) {
    return ((to - from) % kWheelFrameCount + kWheelFrameCount) % kWheelFrameCount;
}
// The mode a click on sector `offset` (1..5) selects from `shown`.
constexpr int ModeAfter(int shown, int offset) { return (shown + offset) % kWheelModeCount; }

// Picture names in the WHEEL resources.
std::string RotationFrameName(int frame);                 // "cycle07.png", "cycle12.png"
std::string HoverPictureName(int mode);                   // "hover3.png"
std::string LabelFrameName(int mode, int frame);          // "mode2_04.png", frames 0..4
std::string SelectedLabelFrameName(int mode, int frame);  // "mode2s_07.png", "mode2s_10.png"
constexpr const char* kWheelBackgroundName = "bg.jpg";
constexpr const char* kWheelMapName = "map.bmp";
constexpr const char* kWheelGlassName = "glass.png";
constexpr int kUnselectedLabelFrames = 5;
constexpr int kSelectedLabelFrames = 11;
constexpr int kRestingLabelFrame = kSelectedLabelFrames - 1;
// Labels and the glass sit here on the wheel.
constexpr int kWheelLabelX = 14;
constexpr int kWheelLabelY = 16;

// The language key of a mode's tooltip; null outside 0..5.
const char* ModeTipKey(int mode);
// Tool i (1..5) of the wheel showing `shown` describes this mode.
constexpr int TipModeOfTool(int shown, int tool) { return ModeAfter(shown, tool); }

// What a mouse move does to the hover: hit is the sector under the pointer
// (1..5) or kNoSector.
struct HoverStep {
    bool capture = false;  // else release
    bool redraw = false;   // the hovered sector changed
    bool handCursor = false;
    int hovered = kNoSector;
};
HoverStep StepHover(int hovered, int hit);

// The wheel's shared state. Every member is read and written under one
// lock; no call waits for anything else while it holds it.
class CWheelState {
public:
    int ShownMode() const;
    int TargetMode() const;
    int CurrentFrame() const;
    int TargetFrame() const;
    int Hovered() const;
    bool Animating() const;
    bool Quitting() const;

    void SetHovered(int sector);
    void SetAnimating(bool animating);
    void RequestQuit();

    // A click: the wheel turns to `mode` (target mode and frame). The
    // wheel counts as animating from here, so a second click before the
    // thread wakes is ignored like one during the turn.
    void BeginTurn(int mode);
    // The thread woke: true, with the animating flag set, when there is a
    // turn to play; false, with the flag cleared, when an earlier turn
    // already followed the request that woke it.
    bool StartTurn();

    enum class Change { Refused, None, Turn, Jump };
    // The controller's request. None: `mode` is already the target.
    // Turn: the animation thread must be woken (the wheel counts as
    // animating from here). Jump: current and target
    // frame are the mode's frame; draw it, then call FinishJump.
    Change SetMode(int mode, bool animate);
    void FinishJump(int mode);

    // One rotation step towards the target: false (frame untouched) when
    // the wheel already stands there.
    bool Advance(int& frame);
    // The end of a turn whose labels showed `labelled`: true, with the
    // shown mode updated and the animating flag cleared, when the wheel
    // stands on the target and the target is still that mode; false when
    // the target moved meanwhile and the wheel must turn on.
    bool FinishTurn(int labelled);

private:
    mutable std::mutex lock_;
    int shown_ = 0;
    int target_ = 0;
    int frame_ = 0;
    int targetFrame_ = 0;
    int hovered_ = kNoSector;
    bool animating_ = false;
    bool quit_ = false;
};

}  // namespace vimbrel::ui
