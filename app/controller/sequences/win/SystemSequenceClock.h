#pragma once
// The local time to the millisecond and plain sleeps, for the sequences.

#include "SequencePorts.h"

namespace vimbrel::controller {

class CSystemSequenceClock final : public ISequenceClock {
public:
    ClockReading Now() const override;
    void Sleep(int ms) override;
};

}  // namespace vimbrel::controller
