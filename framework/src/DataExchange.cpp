#include "framework/DataExchange.h"

#include <commctrl.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cwchar>

namespace framework {

HWND CDataExchange::Control(int id) {
    if (Failed()) return nullptr;
    HWND control = GetDlgItem(dialog_, id);
    if (!control) Fail(id);
    return control;
}

void CDataExchange::Fail(int id) {
    if (!failedControl_) failedControl_ = id ? id : -1;
}

void ExchangeText(CDataExchange& dx, int id, std::wstring& value) {
    HWND control = dx.Control(id);
    if (!control) return;
    if (!dx.Saving()) {
        SetWindowTextW(control, value.c_str());
        return;
    }
    int length = GetWindowTextLengthW(control);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    int copied = GetWindowTextW(control, &text[0], length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    value = std::move(text);
}

void ExchangeText(CDataExchange& dx, int id, int& value) {
    if (!dx.Saving()) {
        std::wstring text = std::to_wstring(value);
        ExchangeText(dx, id, text);
        return;
    }
    std::wstring text;
    ExchangeText(dx, id, text);
    if (dx.Failed()) return;
    const wchar_t* begin = text.c_str();
    while (*begin == L' ' || *begin == L'\t') ++begin;
    wchar_t* end = nullptr;
    errno = 0;
    long parsed = std::wcstol(begin, &end, 10);
    while (end && (*end == L' ' || *end == L'\t')) ++end;
    if (end == begin || !end || *end != L'\0' || errno == ERANGE || parsed < INT_MIN || parsed > INT_MAX) {
        dx.Fail(id);
        return;
    }
    value = static_cast<int>(parsed);
}

void ExchangeCheck(CDataExchange& dx, int id, int& value) {
    HWND control = dx.Control(id);
    if (!control) return;
    if (dx.Saving())
        value = static_cast<int>(SendMessageW(control, BM_GETCHECK, 0, 0));
    else
        SendMessageW(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void ExchangeRadio(CDataExchange& dx, int firstId, int& value) {
    HWND control = dx.Control(firstId);
    if (!control) return;
    if (dx.Saving()) value = -1;
    int index = 0;
    // The group runs from the first button to the next control with
    // WS_GROUP; only radio buttons count.
    do {
        LONG_PTR type = GetWindowLongPtrW(control, GWL_STYLE) & 0x0F;
        if (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON) {
            if (dx.Saving()) {
                if (SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED) value = index;
            } else {
                SendMessageW(control, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
            }
            ++index;
        }
        control = GetWindow(control, GW_HWNDNEXT);
    } while (control && !(GetWindowLongPtrW(control, GWL_STYLE) & WS_GROUP));
}

void ExchangeSlider(CDataExchange& dx, int id, int& value) {
    HWND control = dx.Control(id);
    if (!control) return;
    if (dx.Saving())
        value = static_cast<int>(SendMessageW(control, TBM_GETPOS, 0, 0));
    else
        SendMessageW(control, TBM_SETPOS, TRUE, value);
}

void ExchangeComboIndex(CDataExchange& dx, int id, int& value) {
    HWND control = dx.Control(id);
    if (!control) return;
    if (dx.Saving())
        value = static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0));
    else
        SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(value), 0);
}

void ValidateRange(CDataExchange& dx, int id, int value, int min, int max) {
    if (dx.Saving() && !dx.Failed() && (value < min || value > max)) dx.Fail(id);
}

}  // namespace framework
