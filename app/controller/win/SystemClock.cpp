#include "SystemClock.h"

#include <windows.h>

namespace vimbrel::controller {

int CUtcSystemClock::MillisecondOfMinute() const {
    SYSTEMTIME now{};
    GetSystemTime(&now);
    return now.wSecond * 1000 + now.wMilliseconds;
}

}  // namespace vimbrel::controller
