#pragma once
// The rule the rotation poll follows: while the camera is turned the
// preview must not be mirrored, and when it turns back the mirror mode it
// had returns. Only a change of state leads to a mirror change.

#include <optional>

namespace vimbrel::controller {

class CRotationFollower {
public:
    explicit CRotationFollower(int currentMirror) : m_remembered(currentMirror) {}

    // One poll: the mirror mode to apply now, or nothing.
    std::optional<int> Step(bool turned, int currentMirror) {
        if (turned && !m_turned) {
            m_remembered = currentMirror;
            m_turned = true;
            return 0;
        }
        if (!turned && m_turned) {
            m_turned = false;
            return m_remembered;
        }
        return std::nullopt;
    }

    bool IsTurned() const { return m_turned; }

private:
    int m_remembered;
    bool m_turned = false;
};

}  // namespace vimbrel::controller
