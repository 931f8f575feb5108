#pragma once
// The controller's ports on the running system: texts from the program's
// language text object, time from the local clock.

#include "CLanguageText.h"
#include "ControllerPorts.h"

namespace vimbrel::controller {

class CLanguageTextStrings final : public ILanguageStrings {
public:
    explicit CLanguageTextStrings(const CLanguageText& texts) : texts_(texts) {}
    std::u16string GetString(std::u16string_view key) const override;

private:
    const CLanguageText& texts_;
};

class CSystemLocalClock final : public ILocalClock {
public:
    LocalTime Now() const override;
};

}  // namespace vimbrel::controller
