#pragma once
// What the controller's portable parts need from the outside world: the
// language texts and the local clock.

#include <string>
#include <string_view>

namespace vimbrel::controller {

class ILanguageStrings {
public:
    virtual ~ILanguageStrings() = default;
    // The text of a language key in the user-interface language, or "".
    virtual std::u16string GetString(std::u16string_view key) const = 0;
};

// The text of a feature catalogue word (a title or an entry).
class ICatalogWords {
public:
    virtual ~ICatalogWords() = default;
    virtual std::u16string GetSettingText(std::u16string_view word) const = 0;
};

struct LocalTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
};

class ILocalClock {
public:
    virtual ~ILocalClock() = default;
    virtual LocalTime Now() const = 0;
};

}  // namespace vimbrel::controller
