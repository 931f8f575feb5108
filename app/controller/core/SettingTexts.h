#pragma once
// The words of the feature catalogue turned into user-interface texts:
// most through a language key, the three date-format words as a sample of
// the current date and time.

#include <string>
#include <string_view>

#include "ControllerPorts.h"

namespace vimbrel::controller {

// The language key of a catalogue word (compared without regard to case);
// null for a word outside the table, including the date-format words.
const char16_t* SettingTextKey(std::u16string_view word);

// "MMDDYYYY" -> 07/04/2026, "MMDD" -> 07/04, "HHMMMMDD" -> 09:05 07/04;
// empty for any other word.
std::u16string DateFormatSample(std::u16string_view word, const LocalTime& time);

class CSettingTexts final : public ICatalogWords {
public:
    CSettingTexts(const ILanguageStrings& language, const ILocalClock& clock) : language_(language), clock_(clock) {}

    // The text of a catalogue word; "" for a word outside the table.
    std::u16string GetSettingText(std::u16string_view word) const override;

private:
    const ILanguageStrings& language_;
    const ILocalClock& clock_;
};

struct SettingWord {
    const char16_t* word;
    const char16_t* key;
};
extern const SettingWord kSettingWords[];
extern const std::size_t kSettingWordCount;

// Calls fn(word, key) for every word of the table, in table order.
template <typename Fn>
void ForEachSettingWord(Fn&& fn) {
    for (std::size_t i = 0; i < kSettingWordCount; ++i) fn(kSettingWords[i].word, kSettingWords[i].key);
}

}  // namespace vimbrel::controller
