#include "CAdvancedSettingSheet.h"

#include <commctrl.h>

#include "DialogIds.h"
#include "DialogText.h"
#include "SettingsDialogRules.h"

namespace vimbrel::controller {

CSettingPage::CSettingPage(ISettingsSheetPort& port, const ILanguageStrings& texts, HINSTANCE module)
    : CPropertyPage(IDD_SETTING_DEVICES, module), port_(port), texts_(texts) {}

BOOL CSettingPage::OnInitDialog() {
    const BOOL focus = CPropertyPage::OnInitDialog();
    HWND page = Handle();
    SetItemLanguageText(page, IDC_MIRROR_MODE, texts_, u"IDS_STG_MIRROR_MODE");
    SetItemLanguageText(page, IDC_VIDEO_DEVICE_LABEL, texts_, u"IDS_STG_VIDEO_DEVICE");
    SetItemLanguageText(page, IDC_AUDIO_DEVICE_LABEL, texts_, u"IDS_STG_AUDIO_DEVICE");

    hasVideo_ = FillDevices(IDC_VIDEO_DEVICE_LIST, port_.VideoDeviceCount(), true, port_.StoredVideoDevice(),
                            u"IDS_MSG_NOVIDEODEV");
    EnableWindow(GetDlgItem(page, IDC_MIRROR_MODE), hasVideo_);
    FillDevices(IDC_AUDIO_DEVICE_LIST, port_.AudioDeviceCount(), false, port_.StoredAudioDevice(),
                u"IDS_MSG_NOAUDIODEV");
    CheckDlgButton(page, IDC_MIRROR_MODE, port_.GetMirrorMode() != 0 ? BST_CHECKED : BST_UNCHECKED);
    SetTimer(page, kMirrorTimer, kMirrorTimerPeriodMs, nullptr);
    return focus;
}

bool CSettingPage::FillDevices(int listId, int count, bool video, const std::u16string& stored,
                               const char16_t* noDeviceKey) {
    HWND list = GetDlgItem(Handle(), listId);
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    if (count <= 0) {
        const LRESULT entry = SendMessageW(list, CB_ADDSTRING, 0,
                                           reinterpret_cast<LPARAM>(ViewAsWide(texts_.GetString(noDeviceKey))));
        EnableWindow(list, FALSE);
        SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
        return false;
    }
    for (int index = 0; index < count; ++index) {
        const std::u16string name = video ? port_.VideoDeviceName(index) : port_.AudioDeviceName(index);
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ViewAsWide(name)));
        if (name == stored) SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
    return true;
}

void CSettingPage::OnMirrorTimer() {
    if (!hasVideo_) return;
    HWND box = GetDlgItem(Handle(), IDC_MIRROR_MODE);
    const MirrorDecision decision = DecideMirror(port_.IsCameraTurned() == 1,
                                                 IsDlgButtonChecked(Handle(), IDC_MIRROR_MODE) == BST_CHECKED);
    EnableWindow(box, decision.boxEnabled);
    // Sent when it changes, not on every tick: each apply also stores the
    // setting, five times a second for as long as the page is open.
    if (decision.mirror == lastMirror_ && port_.GetMirrorMode() == decision.mirror) return;
    if (port_.ApplyMirror(decision.mirror)) lastMirror_ = decision.mirror;
}

LRESULT CSettingPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        if (wParam == kMirrorTimer) {
            OnMirrorTimer();
            return 0;
        }
        break;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        const int code = HIWORD(wParam);
        if (code == CBN_SELCHANGE && (id == IDC_VIDEO_DEVICE_LIST || id == IDC_AUDIO_DEVICE_LIST)) {
            const LRESULT selected = SendDlgItemMessageW(Handle(), id, CB_GETCURSEL, 0, 0);
            if (selected == CB_ERR) return 0;
            if (id == IDC_VIDEO_DEVICE_LIST) {
                port_.SelectVideoDevice(static_cast<int>(selected));
                SendMessageW(GetParent(Handle()), kRefreshVideoPageMessage, 0, 0);
            } else {
                port_.SelectAudioDevice(static_cast<int>(selected));
            }
            return 0;
        }
        if (code == BN_CLICKED && id == IDC_MIRROR_MODE) {
            port_.ApplyMirror(IsDlgButtonChecked(Handle(), IDC_MIRROR_MODE) == BST_CHECKED ? 1 : 0);
            return 0;
        }
        break;
    }
    case WM_DESTROY: KillTimer(Handle(), kMirrorTimer); break;
    default: break;
    }
    return CPropertyPage::WindowProc(message, wParam, lParam);
}

}  // namespace vimbrel::controller
