#include "CAdvancedSettingSheet.h"

#include <commctrl.h>

#include "DialogText.h"
#include "SettingsDialogRules.h"

namespace vimbrel::controller {
CAdvancedSettingSheet::CAdvancedSettingSheet(std::wstring caption, ISettingsSheetPort& port,
                                             const ILanguageStrings& texts, HINSTANCE module)
    : CPropertySheet(std::move(caption), nullptr, 0),
      texts_(texts),
      devicePage_(port, texts, module),
      videoPage_(port, texts, module) {
    AddFlags(PSH_NOAPPLYNOW);
    RemoveFlags(PSH_HASHELP);
    devicePage_.SetTitle(CopyToWide(texts.GetString(u"IDS_STG_DEVICE")));
    videoPage_.SetTitle(CopyToWide(texts.GetString(u"IDS_STG_VIDEO")));
    devicePage_.SetFlags(0);
    videoPage_.SetFlags(0);
    AddPage(&devicePage_);
    AddPage(&videoPage_);
}

void CAdvancedSettingSheet::DressButtons() {
    ShowWindow(GetDlgItem(Handle(), IDOK), SW_HIDE);
    HWND close = GetDlgItem(Handle(), IDCANCEL);
    if (close == nullptr) return;
    SetWindowTextW(close, ViewAsWide(texts_.GetString(u"IDS_TIP_CLOSE")));
    SIZE ideal{};
    if (!SendMessageW(close, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal))) return;
    RECT rect{};
    GetWindowRect(close, &rect);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&rect), 2);
    const int width = rect.right - rect.left;
    if (ideal.cx <= width) return;
    MoveWindow(close, WidenToTheLeft(rect.left, width, ideal.cx), rect.top, ideal.cx, rect.bottom - rect.top, TRUE);
}

LRESULT CAdvancedSettingSheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SHOWWINDOW && wParam) {
        DressButtons();
    } else if (message == kRefreshVideoPageMessage) {
        // The video page is made when first shown; before that there is
        // nothing to refresh, and it reads the camera when it is made.
        videoPage_.Refresh();
        return 0;
    }
    return CPropertySheet::WindowProc(message, wParam, lParam);
}

INT_PTR ShowAdvancedSettings(ISettingsSheetPort& port, const ILanguageStrings& texts) {
    CAdvancedSettingSheet sheet(CopyToWide(texts.GetString(u"IDS_DLG_ADVSETTING")), port, texts);
    return sheet.DoModal();
}

}  // namespace vimbrel::controller
