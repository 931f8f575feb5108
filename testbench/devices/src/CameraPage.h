// The cameras' property page: brightness and contrast of IAMVideoProcAmp,
// shown in two edit fields and sent on Apply. What a camera's "advanced
// settings" frame shows.
#pragma once

#include "dshowbase/PropertyPage.h"

#include <dshow.h>

namespace bench {

constexpr int kCameraPageDialog = 300;
constexpr int kCameraPageTitle = 301;
constexpr int kBrightnessEdit = 310;
constexpr int kContrastEdit = 311;

class CCameraPage : public dshowbase::CBasePropertyPage {
public:
    static dshowbase::CUnknown* Create(HRESULT* result);

    CCameraPage();

    HRESULT OnConnect(IUnknown* object) override;
    HRESULT OnDisconnect() override;
    HRESULT OnActivate() override;
    HRESULT OnApplyChanges() override;
    INT_PTR OnReceiveMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    Microsoft::WRL::ComPtr<IAMVideoProcAmp> controls_;
    // Filling the fields sends EN_CHANGE too; that is not the user's edit.
    bool filling_ = false;
};

}  // namespace bench
