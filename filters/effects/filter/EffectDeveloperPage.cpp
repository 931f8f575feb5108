#include "EffectDeveloperPage.h"
#include "failtrail/FailTrail.h"

#include <climits>
#include <cwchar>

#include "EffectPageIds.h"
#include "GalleryTables.h"
#include "InstallFolder.h"
#include "VideoEffectQuery.h"

namespace lenstint {
namespace {

bool IsEffectControl(int id) { return id >= IDC_EFFECT_FIRST && id <= IDC_EFFECT_LAST; }

// The parameter as a decimal number, the way atoi reads it: leading blanks
// and a sign, digits up to the first other character, 0 for no digits.
int ParseParameter(const wchar_t* text) {
    wchar_t* end = nullptr;
    const long value = std::wcstol(text, &end, 10);
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

}  // namespace

CEffectSpecialPage::CEffectSpecialPage()
    : CBasePropertyPage(L"Special Effects", IDD_EFFECT_SPECIAL_PAGE, IDS_EFFECT_SPECIAL_TITLE),
      installFolder_(ReadInstallFolder(L"")) {}

HRESULT CEffectSpecialPage::OnConnect(IUnknown* filter) {
    RETURN_IF_FAILED(ConnectVideoEffect(filter, effect_, controlId_, param_));
    for (int i = 0; i < kFeatureCount; ++i) {
        features_[i] = 0;
        effect_->GetFeatureState(i, &features_[i]);
    }
    shownFeatures_ = features_;
    return S_OK;
}

HRESULT CEffectSpecialPage::OnDisconnect() {
    effect_.Reset();
    return S_OK;
}

HRESULT CEffectSpecialPage::OnActivate() {
    const HWND dialog = Hwnd();
    wchar_t text[16];
    swprintf(text, 16, L"%d", param_);
    SetDlgItemTextW(dialog, IDC_EFFECT_PARAM, text);
    if (IsEffectControl(controlId_)) CheckDlgButton(dialog, controlId_, BST_CHECKED);
    for (int i = 0; i < kFeatureCount; ++i)
        CheckDlgButton(dialog, IDC_FEATURE_FIRST + i, shownFeatures_[i] ? BST_CHECKED : BST_UNCHECKED);
    // Set last: filling the controls above is no edit of the user's.
    active_ = true;
    return S_OK;
}

HRESULT CEffectSpecialPage::OnDeactivate() {
    ReadControls();
    active_ = false;
    return S_OK;
}

void CEffectSpecialPage::ReadControls() {
    const HWND dialog = Hwnd();
    if (!dialog) return;  // deactivated: the page already holds what was shown
    wchar_t text[257] = {};
    GetDlgItemTextW(dialog, IDC_EFFECT_PARAM, text, 257);
    param_ = ParseParameter(text);
    for (int id = IDC_EFFECT_FIRST; id <= IDC_EFFECT_LAST; ++id) {
        if (IsDlgButtonChecked(dialog, id) == BST_CHECKED) {
            controlId_ = id;
            break;
        }
    }
    for (int i = 0; i < kFeatureCount; ++i)
        shownFeatures_[i] = IsDlgButtonChecked(dialog, IDC_FEATURE_FIRST + i) == BST_CHECKED ? 1 : 0;
}

HRESULT CEffectSpecialPage::OnApplyChanges() {
    ReadControls();
    if (!effect_) return E_POINTER;
    if (controlId_ == IDC_EFFECT_IMAGE_FRAME) {
        // The developer page numbers frames from 0, the files from 1. A
        // missing file still selects the frame effect: nothing is drawn
        // until a frame loads.
        const std::wstring path = ToWide(PhotoFramePath(ToUtf16(installFolder_), param_ + 1));
        effect_->LoadFrameImage(path.c_str(), 0, 0, 0, nullptr, nullptr);
    }
    effect_->SetEffect(controlId_ - EFFECT_CONTROL_BASE, param_);
    for (int i = 0; i < kFeatureCount; ++i) {
        if (shownFeatures_[i] == features_[i]) continue;
        features_[i] = shownFeatures_[i];
        SendFeature(i, features_[i]);
    }
    return S_OK;
}

// Features 3 to 10 have no switch in the filter; only the first three are sent.
void CEffectSpecialPage::SendFeature(int index, int state) {
    switch (index) {
    case 0: effect_->SetAutoWhiteBalance(state, 1, 15); break;
    case 1: effect_->SetDespeckle(state); break;
    case 2: effect_->ShowFps(state); break;
    default: break;
    }
}

INT_PTR CEffectSpecialPage::OnReceiveMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && active_) {
        SetDirty();
        if (LOWORD(wParam) == IDC_SCORE && effect_) effect_->Reserved28();
    }
    return CBasePropertyPage::OnReceiveMessage(window, message, wParam, lParam);
}

}  // namespace lenstint
