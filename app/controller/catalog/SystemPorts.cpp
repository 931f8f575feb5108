#include "SystemPorts.h"

#include <windows.h>

namespace vimbrel::controller {

std::u16string CLanguageTextStrings::GetString(std::u16string_view key) const {
    std::wstring wideKey(key.begin(), key.end());
    std::wstring text = m_texts.GetString(wideKey.c_str());
    return std::u16string(text.begin(), text.end());
}

LocalTime CSystemLocalClock::Now() const {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return LocalTime{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute};
}

}  // namespace vimbrel::controller
