#pragma once
// Language texts from a table, and the text of a dialog item.

#include <windows.h>

#include <map>
#include <string>

#include "ControllerPorts.h"

namespace vimbrel::controller::test {

class CTableTexts final : public ILanguageStrings {
public:
    std::u16string GetString(std::u16string_view key) const override {
        auto found = texts.find(std::u16string(key));
        return found == texts.end() ? u"" : found->second;
    }
    std::map<std::u16string, std::u16string> texts;
};

inline std::wstring ItemText(HWND dialog, int id) {
    wchar_t text[256] = {};
    GetDlgItemTextW(dialog, id, text, 256);
    return text;
}

}  // namespace vimbrel::controller::test
