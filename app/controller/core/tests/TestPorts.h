#pragma once
// Ports for the tests: a language that names the key it was asked for, and
// a clock the test sets.

#include "ControllerPorts.h"

namespace vimbrel::controller::test {

// "[KEY]" for every key, so a text shows which key produced it.
class CKeyEchoLanguage final : public ILanguageStrings {
public:
    std::u16string GetString(std::u16string_view key) const override { return u"[" + std::u16string(key) + u"]"; }
};

class CFixedClock final : public ILocalClock {
public:
    LocalTime Now() const override { return now; }
    LocalTime now{2026, 7, 4, 9, 5};
};

}  // namespace vimbrel::controller::test
