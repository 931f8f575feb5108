#include "StampTransform.h"

namespace vimbrel::canvas {

void StampTransformState::Rotate(int degrees) {
    rotation_ = (rotation_ + degrees) % 360;
    orientation_.quarterTurns = (orientation_.quarterTurns + degrees / 90) % 4;
    lastKind_ = StampTransformKind::Rotation;
}

// A mirror after a turn by r equals a turn by -r after a mirror.
void StampTransformState::FlipHorizontally() {
    orientation_.quarterTurns = (4 - orientation_.quarterTurns) % 4;
    orientation_.mirrored = !orientation_.mirrored;
}

bool StampTransformState::Apply(int command) {
    switch (command) {
    case kStampRotate90: Rotate(90); return true;
    case kStampRotate180: Rotate(180); return true;
    case kStampRotate270: Rotate(270); return true;
    case kStampFlipHorizontal:
        FlipHorizontally();
        horizontalFlip_ = !horizontalFlip_;
        lastKind_ = StampTransformKind::Flip;
        return true;
    case kStampFlipVertical:
        // A vertical flip is a horizontal one followed by a half turn.
        FlipHorizontally();
        orientation_.quarterTurns = (orientation_.quarterTurns + 2) % 4;
        verticalFlip_ = !verticalFlip_;
        lastKind_ = StampTransformKind::Flip;
        return true;
    case kStampStandard: Reset(); return true;
    default: return false;
    }
}

StampPixels Oriented(const StampPixels& source, StampOrientation orientation) {
    const int w = source.width;
    const int h = source.height;
    const int turns = ((orientation.quarterTurns % 4) + 4) % 4;
    StampPixels out;
    out.width = (turns % 2) ? h : w;
    out.height = (turns % 2) ? w : h;
    out.pixels.resize(source.pixels.size());
    if (w <= 0 || h <= 0 || source.pixels.size() != static_cast<std::size_t>(w) * h) {
        out.pixels = source.pixels;
        return out;
    }
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            // Mirror first, then turn clockwise.
            const int mx = orientation.mirrored ? w - 1 - x : x;
            int tx = mx, ty = y;
            switch (turns) {
            case 1:
                tx = h - 1 - y;
                ty = mx;
                break;
            case 2:
                tx = w - 1 - mx;
                ty = h - 1 - y;
                break;
            case 3:
                tx = y;
                ty = w - 1 - mx;
                break;
            default: break;
            }
            out.pixels[static_cast<std::size_t>(ty) * out.width + tx] = source.At(x, y);
        }
    }
    return out;
}

}  // namespace vimbrel::canvas
