#include "CAdvancedSettingSheet.h"

#include <commctrl.h>

#include "DialogIds.h"
#include "DialogText.h"
#include "SettingsDialogRules.h"

namespace vimbrel::controller {
namespace {

// The width a button's text needs; its current width where the common
// controls cannot tell (before version 6).
int IdealWidth(HWND button) {
    SIZE ideal{};
    RECT rect{};
    GetWindowRect(button, &rect);
    if (SendMessageW(button, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal)) && ideal.cx > 0) return ideal.cx;
    return rect.right - rect.left;
}

RECT RectInParent(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void EnableRow(HWND page, const VideoPropertyRow& row, bool on) {
    for (int id : {row.trackbarId, row.labelId, row.valueId}) EnableWindow(GetDlgItem(page, id), on);
}

}  // namespace

CVideoSettingPage::CVideoSettingPage(ISettingsSheetPort& port, const ILanguageStrings& texts, HINSTANCE module)
    : CPropertyPage(IDD_SETTING_VIDEO, module), port_(port), texts_(texts) {}

BOOL CVideoSettingPage::OnInitDialog() {
    const BOOL focus = CPropertyPage::OnInitDialog();
    for (const VideoPropertyRow& row : kVideoPropertyRows)
        SetItemLanguageText(Handle(), row.labelId, texts_, row.labelKey);
    SetItemLanguageText(Handle(), IDC_VIDEO_DEFAULT, texts_, u"IDS_STG_DEFAULT");
    SetItemLanguageText(Handle(), IDC_VIDEO_ADVANCED, texts_, u"IDS_STG_ADVANCEDSETTING");
    PlaceButtons();
    Refresh();
    return focus;
}

void CVideoSettingPage::PlaceButtons() {
    RECT sheet{};
    GetWindowRect(GetParent(Handle()), &sheet);
    HWND defaultButton = GetDlgItem(Handle(), IDC_VIDEO_DEFAULT);
    HWND advancedButton = GetDlgItem(Handle(), IDC_VIDEO_ADVANCED);
    const int defaultWidth = IdealWidth(defaultButton);
    const int advancedWidth = IdealWidth(advancedButton);
    const ButtonPlacement placed = PlaceVideoButtons(sheet.right - sheet.left, defaultWidth, advancedWidth);
    const RECT defaultRect = RectInParent(defaultButton);
    const RECT advancedRect = RectInParent(advancedButton);
    MoveWindow(advancedButton, placed.advancedX, advancedRect.top, advancedWidth,
               advancedRect.bottom - advancedRect.top, TRUE);
    MoveWindow(defaultButton, placed.defaultX, defaultRect.top, defaultWidth, defaultRect.bottom - defaultRect.top,
               TRUE);
}

void CVideoSettingPage::Refresh() {
    HWND page = Handle();
    if (page == nullptr) return;
    bool someAnswered = false;
    for (int property = 0; property < kVideoPropertyCount; ++property) {
        const VideoPropertyRow* row = RowOfProperty(property);
        int value = 0;
        if (!port_.GetVideoQuality(property, &value)) {
            if (row == nullptr) continue;
            HWND bar = GetDlgItem(page, row->trackbarId);
            SendMessageW(bar, TBM_SETRANGE, TRUE, MAKELPARAM(0, 0));
            SendMessageW(bar, TBM_SETPOS, TRUE, 0);
            SetItemNumber(page, row->valueId, 0);
            EnableRow(page, *row, false);
            continue;
        }
        int minimum = 0, maximum = 0, standard = 0;
        if (!port_.GetVideoQualityRange(property, &minimum, &maximum, &standard)) continue;
        someAnswered = true;
        if (row == nullptr) continue;
        HWND bar = GetDlgItem(page, row->trackbarId);
        EnableRow(page, *row, true);
        // Full 32-bit bounds: MAKELPARAM would cut ranges such as white
        // balance's thousands or negative hues.
        SendMessageW(bar, TBM_SETRANGEMIN, FALSE, minimum);
        SendMessageW(bar, TBM_SETRANGEMAX, TRUE, maximum);
        SendMessageW(bar, TBM_SETPOS, TRUE, value);
        SetItemNumber(page, row->valueId, value);
    }
    // Default works again once a camera answers (after a device change).
    EnableWindow(GetDlgItem(page, IDC_VIDEO_DEFAULT), someAnswered);
}

bool CVideoSettingPage::OnScroll(HWND trackbar) {
    const VideoPropertyRow* row = RowOfTrackbar(GetDlgCtrlID(trackbar));
    if (row == nullptr || GetParent(trackbar) != Handle()) return false;
    const int position = static_cast<int>(SendMessageW(trackbar, TBM_GETPOS, 0, 0));
    SetItemNumber(Handle(), row->valueId, position);
    port_.SetVideoQuality(row->property, position);
    return true;
}

LRESULT CVideoSettingPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_HSCROLL:
        if (lParam != 0 && OnScroll(reinterpret_cast<HWND>(lParam))) {
            CPropertyPage::WindowProc(message, wParam, lParam);
            return 0;
        }
        break;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDC_VIDEO_DEFAULT) {
            if (port_.SetDefaultVideoQuality(-1)) Refresh();
            return 0;
        }
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDC_VIDEO_ADVANCED) {
            port_.ShowCameraProperties(Handle());
            Refresh();
            return 0;
        }
        break;
    case WM_WINDOWPOSCHANGING: {
        const auto* position = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (position != nullptr && (position->flags & SWP_SHOWWINDOW) != 0) Refresh();
        break;
    }
    default: break;
    }
    return CPropertyPage::WindowProc(message, wParam, lParam);
}

}  // namespace vimbrel::controller
