#pragma once
// Language texts into dialog controls.

#include <windows.h>

#include <string>

#include "ControllerPorts.h"

namespace vimbrel::controller {

inline const wchar_t* AsWide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

inline void SetItemText(HWND dialog, int id, const std::u16string& text) {
    SetDlgItemTextW(dialog, id, AsWide(text));
}

inline void SetItemLanguageText(HWND dialog, int id, const ILanguageStrings& texts,
                                const char16_t* key) {
    SetItemText(dialog, id, texts.GetString(key));
}

inline void SetItemNumber(HWND dialog, int id, int value) {
    SetDlgItemTextW(dialog, id, std::to_wstring(value).c_str());
}

}  // namespace vimbrel::controller
