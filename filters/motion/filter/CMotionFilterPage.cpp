#include "CMotionFilterPage.h"

#include <commctrl.h>

#include <cstdio>

#include "MotionPageIds.h"

namespace movesense {
namespace {

const wchar_t kStopCaption[] = L"Stop detect!";
const wchar_t kStartCaption[] = L"Start Detecting";

// Unsigned as the user typed it; text that is not a number reads as 0.
unsigned ReadUnsigned(HWND dialog, int id) {
    BOOL ok = FALSE;
    const UINT value = GetDlgItemInt(dialog, id, &ok, FALSE);
    return ok ? value : 0u;
}

int IsChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED ? 1 : 0; }

}  // namespace

CMotionFilterPage::CMotionFilterPage()
    : CBasePropertyPage(L"Zavu movesense Setting", IDD_MOTION_PAGE, IDS_MOTION_PAGE_TITLE) {}

HRESULT CMotionFilterPage::OnConnect(IUnknown* filter) {
    if (!filter) return E_POINTER;
    control_.Reset();
    Microsoft::WRL::ComPtr<IMotionControl> control;
    if (FAILED(filter->QueryInterface(IID_IMotionControl, reinterpret_cast<void**>(control.GetAddressOf()))))
        return E_NOINTERFACE;
    if (!control) return E_FAIL;
    control_ = control;
    return S_OK;
}

HRESULT CMotionFilterPage::OnDisconnect() {
    control_.Reset();
    return S_OK;
}

// The page lets go of the filter here too: activating it again without a
// new connection shows the defaults, and its buttons and Apply do nothing.
HRESULT CMotionFilterPage::OnDeactivate() {
    control_.Reset();
    return S_OK;
}

HRESULT CMotionFilterPage::OnActivate() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES};
    if (!InitCommonControlsEx(&controls)) return E_FAIL;

    int level = 5, mode = MOTION_MODE_DYNAMIC, state = MOTION_STATE_IDLE, interval = 0;
    int markRect = 1, markVideo = 0;
    RECT area{0, 0, 0, 0};
    if (control_) control_->GetParams(&level, &mode, &state, &interval, &area, &markRect, &markVideo);

    const HWND dialog = Hwnd();
    filling_ = true;
    SetDlgItemInt(dialog, IDC_MOTION_LEVEL, static_cast<UINT>(level), FALSE);
    SetDlgItemInt(dialog, IDC_MOTION_INTERVAL, static_cast<UINT>(interval), FALSE);
    wchar_t text[64];
    swprintf(text, 64, L"%d;%d;%d;%d;", static_cast<int>(area.left), static_cast<int>(area.top),
             static_cast<int>(area.right), static_cast<int>(area.bottom));
    SetDlgItemTextW(dialog, IDC_MOTION_RECT, text);
    CheckDlgButton(dialog, IDC_MOTION_DYNAMIC, mode != 0 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_MOTION_MARK_RECT, markRect ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_MOTION_MARK_VIDEO, markVideo ? BST_CHECKED : BST_UNCHECKED);
    ShowDetecting(state != MOTION_STATE_IDLE);
    filling_ = false;
    return S_OK;
}

HRESULT CMotionFilterPage::OnApplyChanges() {
    // Without a window there is nothing the user typed, so nothing is sent
    // (only a page that was never activated is dirty-free and windowless).
    const HWND dialog = Hwnd();
    if (!control_ || !dialog) return S_OK;
    // A level above 10 goes out as typed: the detector clamps it.
    const unsigned level = ReadUnsigned(dialog, IDC_MOTION_LEVEL);
    unsigned interval = ReadUnsigned(dialog, IDC_MOTION_INTERVAL);
    if (interval > kMaxDetectIntervalMs) interval = kMaxDetectIntervalMs;
    int markRect = IsChecked(dialog, IDC_MOTION_MARK_RECT);
    int markVideo = IsChecked(dialog, IDC_MOTION_MARK_VIDEO);
    // Results are not checked: each call only stores a setting, and the
    // detector clamps what it cannot take.
    control_->SetDetectInterval(static_cast<int>(interval));
    control_->MarkMotionRect(&markRect);
    control_->MarkMotionOnVideo(&markVideo);
    RECT area{0, 0, 0, 0};
    control_->SetDetectParams(static_cast<int>(level), IsChecked(dialog, IDC_MOTION_DYNAMIC), &area);
    return S_OK;
}

INT_PTR CMotionFilterPage::OnReceiveMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && !filling_) {
        const int id = LOWORD(wParam);
        if (id == IDC_MOTION_START_STOP && control_) ToggleDetection();
        if (id == IDC_MOTION_RESET_BASE && control_) control_->ResetBaseFrame();
        SetDirty();
    }
    return CBasePropertyPage::OnReceiveMessage(window, message, wParam, lParam);
}

void CMotionFilterPage::ToggleDetection() {
    // A refused call (the filter is not streaming) leaves button and flag alone.
    if (detecting_) {
        if (SUCCEEDED(control_->StopDetect())) ShowDetecting(false);
    } else {
        if (SUCCEEDED(control_->StartDetect())) ShowDetecting(true);
    }
}

void CMotionFilterPage::ShowDetecting(bool detecting) {
    detecting_ = detecting ? 1 : 0;
    SetDlgItemTextW(Hwnd(), IDC_MOTION_START_STOP, detecting ? kStopCaption : kStartCaption);
}

}  // namespace movesense
