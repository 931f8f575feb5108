#pragma once
// Language texts into dialog controls.

#include <windows.h>

#include <string>

#include "ControllerPorts.h"
#include "WideText.h"

namespace vimbrel::controller {

inline void SetItemText(HWND dialog, int id, const std::u16string& text) {
    SetDlgItemTextW(dialog, id, ViewAsWide(text));
}

inline void SetItemLanguageText(HWND dialog, int id, const ILanguageStrings& texts, const char16_t* key) {
    SetItemText(dialog, id, texts.GetString(key));
}

inline void SetItemNumber(HWND dialog, int id, int value) {
    SetDlgItemTextW(dialog, id, std::to_wstring(value).c_str());
}

}  // namespace vimbrel::controller
