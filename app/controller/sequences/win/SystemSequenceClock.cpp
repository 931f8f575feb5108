#include "SystemSequenceClock.h"

#include <windows.h>

namespace vimbrel::controller {

ClockReading CSystemSequenceClock::Now() const {
    SYSTEMTIME time;
    GetLocalTime(&time);
    return {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond, time.wMilliseconds};
}

void CSystemSequenceClock::Sleep(int ms) {
    if (ms > 0) ::Sleep(static_cast<DWORD>(ms));
}

}  // namespace vimbrel::controller
