#pragma once
// The advanced settings: a sheet without Apply or Help over two pages, the
// devices with the mirror box, and the camera's picture properties on
// trackbars. The pages keep nothing of their own; every change goes to the
// controller at once.

#include <string>

#include "ControllerPorts.h"
#include "SettingsSheetPort.h"
#include "framework/CPropertyPage.h"
#include "framework/CPropertySheet.h"

namespace vimbrel::controller {

// Sent to the sheet when the camera changed: the video page shows the new
// camera's properties.
constexpr UINT kRefreshVideoPageMessage = WM_USER + 200;
constexpr UINT_PTR kMirrorTimer = 100;
constexpr UINT kMirrorTimerPeriodMs = 200;

class CSettingPage final : public framework::CPropertyPage {
public:
    CSettingPage(ISettingsSheetPort& port, const ILanguageStrings& texts, HINSTANCE module = nullptr);
    bool HasVideo() const { return hasVideo_; }

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Fills a device list; false when there are no devices.
    bool FillDevices(int listId, int count, bool video, const std::u16string& stored, const char16_t* noDeviceKey);
    void OnMirrorTimer();

    ISettingsSheetPort& port_;
    const ILanguageStrings& texts_;
    bool hasVideo_ = false;
    int lastMirror_ = -1;  // none applied yet
};

class CVideoSettingPage final : public framework::CPropertyPage {
public:
    CVideoSettingPage(ISettingsSheetPort& port, const ILanguageStrings& texts, HINSTANCE module = nullptr);
    // Reads every property anew into the rows.
    void Refresh();

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void PlaceButtons();
    bool OnScroll(HWND trackbar);

    ISettingsSheetPort& port_;
    const ILanguageStrings& texts_;
};

class CAdvancedSettingSheet final : public framework::CPropertySheet {
public:
    CAdvancedSettingSheet(std::wstring caption, ISettingsSheetPort& port, const ILanguageStrings& texts,
                          HINSTANCE module = nullptr);

    CSettingPage& DevicePage() { return devicePage_; }
    CVideoSettingPage& VideoPage() { return videoPage_; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void DressButtons();

    const ILanguageStrings& texts_;
    CSettingPage devicePage_;
    CVideoSettingPage videoPage_;
};

// Builds and runs the sheet modally with the caption IDS_DLG_ADVSETTING.
INT_PTR ShowAdvancedSettings(ISettingsSheetPort& port, const ILanguageStrings& texts);

}  // namespace vimbrel::controller
