#include "MotionAlarmGate.h"

#include <cstdlib>

namespace vimbrel::controller {

bool CMotionAlarmGate::Admit(int millisecondOfMinute) {
    if (m_lastSaved && std::abs(millisecondOfMinute - *m_lastSaved) <= kMinimumGapMs) return false;
    m_lastSaved = millisecondOfMinute;
    return true;
}

}  // namespace vimbrel::controller
