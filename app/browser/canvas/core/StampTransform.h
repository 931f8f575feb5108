#pragma once
// Turning and mirroring a stamp from the context menu (commands 152-156)
// and "Standard" (158), which puts it back as it was loaded.
//
// Besides the menu's own record (flip flags, rotation, last kind) the state
// keeps the stamp's exact orientation as a composition of turns and one
// mirror. Rotations and flips do not commute, so unwinding the record alone
// (flips first, then the rotation) leaves a stamp that was flipped, turned
// and flipped again upside down; "Standard" returns to the stamp as loaded
// instead, which is what the unwinding gives whenever it is right.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vimbrel::canvas {

enum StampCommand : int {
    kStampRotate90 = 152,
    kStampRotate180 = 153,
    kStampRotate270 = 154,
    kStampFlipHorizontal = 155,
    kStampFlipVertical = 156,
    kStampStandard = 158,
};

enum class StampTransformKind : int { None = 0, Rotation = 1, Flip = 2 };

// A picture's orientation relative to the stamp as loaded: mirrored left to
// right first (when `mirrored`), then turned clockwise by 90 x quarterTurns.
struct StampOrientation {
    int quarterTurns = 0;  // 0..3
    bool mirrored = false;

    bool IsIdentity() const { return quarterTurns == 0 && !mirrored; }
    friend bool operator==(StampOrientation a, StampOrientation b) {
        return a.quarterTurns == b.quarterTurns && a.mirrored == b.mirrored;
    }
};

class StampTransformState {
public:
    // A menu command; false (and nothing changes) for other numbers.
    bool Apply(int command);
    void Reset() { *this = StampTransformState(); }

    bool HorizontalFlip() const { return horizontalFlip_; }
    bool VerticalFlip() const { return verticalFlip_; }
    int Rotation() const { return rotation_; }  // 0, 90, 180, 270
    StampTransformKind LastKind() const { return lastKind_; }
    StampOrientation Orientation() const { return orientation_; }

private:
    void Rotate(int degrees);
    void FlipHorizontally();

    bool horizontalFlip_ = false;
    bool verticalFlip_ = false;
    int rotation_ = 0;
    StampTransformKind lastKind_ = StampTransformKind::None;
    StampOrientation orientation_;
};

// 32-bit pixels, row after row from the top, no padding.
struct StampPixels {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // 0xAARRGGBB

    uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// The stamp as `orientation` shows it (a quarter or three-quarter turn
// swaps width and height).
StampPixels Oriented(const StampPixels& source, StampOrientation orientation);

}  // namespace vimbrel::canvas
