#include "MotionAlarmGate.h"

#include <cstdlib>

namespace vimbrel::controller {

bool CMotionAlarmGate::Admit(int millisecondOfMinute) {
    if (lastSaved_ && std::abs(millisecondOfMinute - *lastSaved_) <= kMinimumGapMs) return false;
    lastSaved_ = millisecondOfMinute;
    return true;
}

}  // namespace vimbrel::controller
