#pragma once
// Which motion alarms become monitor pictures: one more than a second away
// from the last saved one, on a clock of the millisecond within the minute.
// The clock wraps every minute, so alarms a whole minute apart count as
// close; the very first alarm is always saved.

#include <optional>

namespace vimbrel::controller {

class CMotionAlarmGate {
public:
    static constexpr int kMinimumGapMs = 1000;

    // millisecondOfMinute 0..59,999. True when this alarm is to be saved;
    // it then becomes the last saved one.
    bool Admit(int millisecondOfMinute);

private:
    std::optional<int> lastSaved_;
};

}  // namespace vimbrel::controller
