#include "CEffectSimplePage.h"

#include <commctrl.h>

#include "EffectPageIds.h"
#include "GalleryTables.h"
#include "InstallFolder.h"
#include "VideoEffectQuery.h"
#include "LanguageText.h"
#include "dshowbase/Module.h"

namespace lenstint {

CEffectSimplePage::CEffectSimplePage()
    : CBasePropertyPage(L"Simple Effects", IDD_EFFECT_SIMPLE_PAGE, IDS_EFFECT_SIMPLE_TITLE),
      installFolder_(ReadInstallFolder(kDefaultInstallFolder)),
      languageFile_(installFolder_ + L"Vimbrel.ini") {}

HRESULT CEffectSimplePage::OnConnect(IUnknown* filter) {
    return ConnectVideoEffect(filter, effect_, controlId_, param_);
}

HRESULT CEffectSimplePage::OnDisconnect() {
    effect_.Reset();
    return S_OK;
}

bool CEffectSimplePage::CreateTabs() {
    tabs_ = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | TCS_FIXEDWIDTH, 0, 0, 340, 312, Hwnd(),
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_GALLERY_TABS)),
                            dshowbase::ModuleInstance(), nullptr);
    if (!tabs_) return false;
    SendMessageW(tabs_, WM_SETFONT, SendMessageW(Hwnd(), WM_GETFONT, 0, 0), TRUE);
    const char16_t* section = UserLanguageSection();
    const GalleryLabel tabLabels[] = {GalleryFilterTabLabel(), GalleryFrameLabel()};
    for (int tab = 0; tab < 2; ++tab) {
        std::wstring text = ReadLanguageText(languageFile_, section, tabLabels[tab]);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = &text[0];
        SendMessageW(tabs_, TCM_INSERTITEMW, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&item));
    }
    return true;
}

void CEffectSimplePage::FillGrid() {
    // The thumbnails are resources of this filter's own file; found by name
    // as the gallery always has, and left empty when it is not loaded.
    if (HMODULE module = GetModuleHandleW(L"lenstint.ax")) {
        grid_.LoadSheet(0, module, L"effect.jpg");
        grid_.LoadSheet(1, module, L"frame.jpg");
    }
    if (controlId_ == IDC_EFFECT_IMAGE_FRAME)
        grid_.Select(1, param_);  // an out-of-range frame number selects item 0
    else
        grid_.Select(0, GalleryItemForEffect(controlId_ - EFFECT_CONTROL_BASE));

    const char16_t* section = UserLanguageSection();
    for (int item = 0; item < kGalleryItems; ++item)
        grid_.SetLabel(0, item, ReadLanguageText(languageFile_, section, GalleryFilterLabel(item)));
    const std::wstring frameWord = ReadLanguageText(languageFile_, section, GalleryFrameLabel());
    grid_.SetLabel(1, 0, ReadLanguageText(languageFile_, section, GalleryFilterLabel(0)));
    for (int item = 1; item < kGalleryItems; ++item)
        grid_.SetLabel(1, item, ToWide(FrameItemLabel(ToUtf16(frameWord), item)));
    grid_.ShowSheet(0);
}

HRESULT CEffectSimplePage::OnActivate() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    if (!CreateTabs()) return E_FAIL;
    if (!gridExists_) {
        if (!grid_.Create(Hwnd(), kGridControlId, kGridX, kGridY, kGridWidth, kGridHeight)) {
            tabs_ = nullptr;  // goes with the dialog the base now destroys
            return E_FAIL;
        }
        gridExists_ = true;
        FillGrid();
    }
    return S_OK;
}

HRESULT CEffectSimplePage::OnDeactivate() {
    grid_.Destroy();
    gridExists_ = false;
    tabs_ = nullptr;
    return S_OK;
}

// Every choice is sent when it is clicked; nothing is left to apply.
HRESULT CEffectSimplePage::OnApplyChanges() { return effect_ ? S_OK : E_POINTER; }

HRESULT CEffectSimplePage::Choose(Sheet sheet, WPARAM item) {
    if (!effect_) return E_POINTER;
    if (item >= static_cast<WPARAM>(kGalleryItems)) return E_INVALIDARG;
    const int n = static_cast<int>(item);
    int controlId = IDC_EFFECT_NONE;
    int param = 0;
    if (n != 0 && sheet == Sheet::Filters) {
        controlId = EffectGalleryOrder(n) + EFFECT_CONTROL_BASE;
    } else if (n != 0) {
        // A missing frame file still selects the frame effect: nothing is
        // drawn until a frame loads.
        const std::wstring path = ToWide(PhotoFramePath(ToUtf16(installFolder_), n));
        effect_->LoadFrameImage(path.c_str(), 0, 0, 0, nullptr, nullptr);
        controlId = IDC_EFFECT_IMAGE_FRAME;
        param = n;
    }
    controlId_ = controlId;
    param_ = param;
    return effect_->SetEffect(controlId - EFFECT_CONTROL_BASE, param);
}

INT_PTR CEffectSimplePage::OnReceiveMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header && header->hwndFrom == tabs_ && tabs_ && header->code == static_cast<UINT>(TCN_SELCHANGE)) {
            grid_.ShowSheet(static_cast<int>(SendMessageW(tabs_, TCM_GETCURFOCUS, 0, 0)));
            return TRUE;
        }
        break;
    }
    case kGalleryFilterClicked: Choose(Sheet::Filters, wParam); return TRUE;
    case kGalleryFrameClicked: Choose(Sheet::Frames, wParam); return TRUE;
    // Nothing on this page waits for Apply.
    case WM_COMMAND: return TRUE;
    default: break;
    }
    return CBasePropertyPage::OnReceiveMessage(window, message, wParam, lParam);
}

}  // namespace lenstint
