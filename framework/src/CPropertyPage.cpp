#include "framework/CPropertyPage.h"

#include "framework/CPropertySheet.h"

#include "CallGuard.h"

namespace framework {

CPropertyPage::CPropertyPage(UINT templateId, HINSTANCE module) : CDialog(templateId, nullptr, module) {}

void CPropertyPage::SetTitle(std::wstring title) { title_ = std::move(title); }

void CPropertyPage::SetModified(bool changed) {
    if (!Handle()) return;
    HWND sheet = GetParent(Handle());
    if (sheet) SendMessageW(sheet, changed ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(Handle()), 0);
}

const PROPSHEETPAGEW& CPropertyPage::Description() {
    description_ = PROPSHEETPAGEW{};
    description_.dwSize = sizeof(description_);
    description_.dwFlags = extraFlags_ | (title_.empty() ? 0 : PSP_USETITLE);
    description_.hInstance = Module();
    description_.pszTemplate = MAKEINTRESOURCEW(TemplateId());
    description_.pfnDlgProc = &CPropertyPage::RoutePageMessage;
    description_.pszTitle = title_.empty() ? nullptr : title_.c_str();
    description_.lParam = reinterpret_cast<LPARAM>(this);
    return description_;
}

INT_PTR CALLBACK CPropertyPage::RoutePageMessage(HWND hwnd, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_INITDIALOG || !lParam) return FALSE;
    // The sheet passes its copy of the page description.
    auto page = reinterpret_cast<CPropertyPage*>(reinterpret_cast<const PROPSHEETPAGEW*>(lParam)->lParam);
    // A page whose initialisation threw stays in its sheet as it is; the
    // exception goes no further than here.
    return page ? boundary::GuardedValue<BOOL>(FALSE, [&] { return page->BindAndInitialise(hwnd); }) : FALSE;
}

CPropertySheet* CPropertyPage::Sheet() const {
    return Handle() ? dynamic_cast<CPropertySheet*>(FromHandle(GetParent(Handle()))) : nullptr;
}

LRESULT CPropertyPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY && lParam) {
        auto header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->hwndFrom == GetParent(Handle())) {
            switch (header->code) {
            case PSN_SETACTIVE: return OnSetActive() ? 0 : -1;
            case PSN_KILLACTIVE: return OnKillActive() ? FALSE : TRUE;
            case PSN_APPLY: {
                const bool applied = OnApply();
                if (CPropertySheet* sheet = Sheet()) {
                    if (applied)
                        sheet->NoteApplied();
                    else
                        sheet->NoteReset();
                }
                return applied ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
            }
            case PSN_RESET:
                OnReset();
                if (CPropertySheet* sheet = Sheet()) sheet->NoteReset();
                return 0;
            default: break;
            }
        }
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

}  // namespace framework
