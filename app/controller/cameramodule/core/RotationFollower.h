#pragma once
// The rule the rotation poll follows: while the camera is turned the
// preview must not be mirrored, and when it turns back the mirror mode it
// had returns. Only a change of state leads to a mirror change.

#include <optional>

namespace vimbrel::controller {

class CRotationFollower {
public:
    explicit CRotationFollower(int currentMirror) : remembered_(currentMirror) {}

    // One poll: the mirror mode to apply now, or nothing.
    std::optional<int> Step(bool turned, int currentMirror) {
        if (turned && !turned_) {
            remembered_ = currentMirror;
            turned_ = true;
            return 0;
        }
        if (!turned && turned_) {
            turned_ = false;
            return remembered_;
        }
        return std::nullopt;
    }

    bool IsTurned() const { return turned_; }

private:
    int remembered_;
    bool turned_ = false;
};

}  // namespace vimbrel::controller
