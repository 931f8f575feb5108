// Moving values between a dialog's controls and its members: one call per
// control in DoDataExchange serves both directions.
#pragma once

#include <windows.h>

#include <string>

namespace framework {

class CDataExchange {
public:
    CDataExchange(HWND dialog, bool save) : dialog_(dialog), save_(save) {}

    bool Saving() const { return save_; }
    HWND Dialog() const { return dialog_; }
    // The control, or null (and the exchange fails) when the dialog has none.
    HWND Control(int id);
    // A value could not be taken from `id`: the exchange stops there.
    void Fail(int id);
    bool Failed() const { return failedControl_ != 0; }
    int FailedControl() const { return failedControl_; }

private:
    HWND dialog_;
    bool save_;
    int failedControl_ = 0;
};

// Each does nothing once the exchange has failed.
void ExchangeText(CDataExchange& dx, int id, std::wstring& value);
// Whole decimal numbers; text that is not one fails the exchange.
void ExchangeText(CDataExchange& dx, int id, int& value);
// Check boxes: 0 unchecked, 1 checked, 2 indeterminate.
void ExchangeCheck(CDataExchange& dx, int id, int& value);
// Radio groups: the index of the checked button from `firstId` in the
// group, or -1 when none is checked.
void ExchangeRadio(CDataExchange& dx, int firstId, int& value);
// Trackbars: the position.
void ExchangeSlider(CDataExchange& dx, int id, int& value);
// Combo boxes: the selected index, -1 for none.
void ExchangeComboIndex(CDataExchange& dx, int id, int& value);
// Fails when a value saved from `id` lies outside min..max.
void ValidateRange(CDataExchange& dx, int id, int value, int min, int max);

}  // namespace framework
