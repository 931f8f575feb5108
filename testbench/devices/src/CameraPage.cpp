#include "CameraPage.h"

#include <new>

namespace bench {
namespace {

void ShowValue(IAMVideoProcAmp* controls, HWND dialog, long property, int field) {
    long value = 0;
    long flags = 0;
    if (SUCCEEDED(controls->Get(property, &value, &flags))) {
        SetDlgItemInt(dialog, field, static_cast<UINT>(value), TRUE);
    } else {
        SetDlgItemTextW(dialog, field, L"");
        EnableWindow(GetDlgItem(dialog, field), FALSE);
    }
}

HRESULT SendValue(IAMVideoProcAmp* controls, HWND dialog, long property, int field) {
    if (!IsWindowEnabled(GetDlgItem(dialog, field))) {
        return S_OK;
    }
    BOOL parsed = FALSE;
    const int value = static_cast<int>(GetDlgItemInt(dialog, field, &parsed, TRUE));
    if (!parsed) {
        return E_INVALIDARG;
    }
    return controls->Set(property, value, VideoProcAmp_Flags_Manual);
}

}  // namespace

dshowbase::CUnknown* CCameraPage::Create(HRESULT*) { return new (std::nothrow) CCameraPage(); }

CCameraPage::CCameraPage() : CBasePropertyPage(L"bench camera page", kCameraPageDialog, kCameraPageTitle) {}

HRESULT CCameraPage::OnConnect(IUnknown* object) {
    controls_.Reset();
    const HRESULT hr = object->QueryInterface(IID_IAMVideoProcAmp, reinterpret_cast<void**>(controls_.GetAddressOf()));
    return FAILED(hr) ? E_NOINTERFACE : S_OK;
}

HRESULT CCameraPage::OnDisconnect() {
    controls_.Reset();
    return S_OK;
}

HRESULT CCameraPage::OnActivate() {
    if (!controls_) {
        return E_UNEXPECTED;
    }
    filling_ = true;
    ShowValue(controls_.Get(), Hwnd(), VideoProcAmp_Brightness, kBrightnessEdit);
    ShowValue(controls_.Get(), Hwnd(), VideoProcAmp_Contrast, kContrastEdit);
    filling_ = false;
    return S_OK;
}

HRESULT CCameraPage::OnApplyChanges() {
    if (!controls_) {
        return E_UNEXPECTED;
    }
    HRESULT hr = SendValue(controls_.Get(), Hwnd(), VideoProcAmp_Brightness, kBrightnessEdit);
    if (SUCCEEDED(hr)) {
        hr = SendValue(controls_.Get(), Hwnd(), VideoProcAmp_Contrast, kContrastEdit);
    }
    return hr;
}

INT_PTR CCameraPage::OnReceiveMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE && !filling_) {
        SetDirty();
        return TRUE;
    }
    return CBasePropertyPage::OnReceiveMessage(window, message, wParam, lParam);
}

}  // namespace bench
