#pragma once
// The motion alarm's clock: the system time (UTC) within its minute.

#include "ControllerPartners.h"

namespace vimbrel::controller {

class CUtcSystemClock final : public ISystemClock {
public:
    int MillisecondOfMinute() const override;
};

}  // namespace vimbrel::controller
