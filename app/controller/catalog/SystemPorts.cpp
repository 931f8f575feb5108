#include "SystemPorts.h"

#include <windows.h>

#include "WideText.h"

namespace vimbrel::controller {

std::u16string CLanguageTextStrings::GetString(std::u16string_view key) const {
    return CopyToU16(texts_.GetString(CopyToWide(key).c_str()));
}

LocalTime CSystemLocalClock::Now() const {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return LocalTime{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute};
}

}  // namespace vimbrel::controller
