#include "framework/CPropertySheet.h"

#include "framework/CApplication.h"

#include "CallGuard.h"

namespace framework {
namespace {
// The sheet PropertySheetW is making on this thread: its callback carries no
// pointer of ours.
thread_local CPropertySheet* creatingSheet = nullptr;
}  // namespace

CPropertySheet::CPropertySheet(std::wstring caption, HWND parent, UINT firstPage)
    : caption_(std::move(caption)),
      parent_(parent),
      firstPage_(firstPage),
      flags_(PSH_PROPSHEETPAGE | PSH_USECALLBACK) {}

CPropertySheet::~CPropertySheet() { Destroy(); }

void CPropertySheet::AddPage(CPropertyPage* page) {
    if (page) pages_.push_back(page);
}

int CALLBACK CPropertySheet::SheetCallback(HWND hwnd, UINT message, LPARAM) {
    if (message == PSCB_INITIALIZED && creatingSheet) {
        CPropertySheet* sheet = creatingSheet;
        creatingSheet = nullptr;
        boundary::GuardedValue(0, [&] {
            if (sheet->Subclass(hwnd)) sheet->OnSheetCreated();
            return 0;
        });
    }
    return 0;
}

bool CPropertySheet::Make(bool modeless, HWND owner) {
    if (Handle() || pages_.empty()) return false;
    std::vector<PROPSHEETPAGEW> descriptions;
    descriptions.reserve(pages_.size());
    for (CPropertyPage* page : pages_) descriptions.push_back(page->Description());

    PROPSHEETHEADERW header{};
    header.dwSize = sizeof(header);
    header.dwFlags = (flags_ | PSH_PROPSHEETPAGE | PSH_USECALLBACK | (modeless ? PSH_MODELESS : 0));
    header.hwndParent = owner;
    header.hInstance = GetModuleHandleW(nullptr);
    header.pszCaption = caption_.c_str();
    header.nPages = static_cast<UINT>(descriptions.size());
    header.nStartPage = firstPage_ < descriptions.size() ? firstPage_ : 0;
    header.ppsp = descriptions.data();
    header.pfnCallback = &CPropertySheet::SheetCallback;

    endedWithOk_ = false;
    creatingSheet = this;
    INT_PTR made = PropertySheetW(&header);
    creatingSheet = nullptr;
    if (made == 0 || made == -1 || !Handle()) {
        if (made != 0 && made != -1 && !Handle()) DestroyWindow(reinterpret_cast<HWND>(made));
        return false;
    }
    // The sheet's window ends with it, whoever destroys it.
    return true;
}

bool CPropertySheet::CreateModeless() { return Make(true, parent_); }

INT_PTR CPropertySheet::DoModal() {
    HWND owner = parent_;
    if (!owner) {
        CApplication* app = CApplication::Current();
        if (app && app->MainWindow()) owner = app->MainWindow()->Handle();
    }
    if (owner) owner = GetAncestor(owner, GA_ROOT);
    bool ownerDisabled = false;
    if (owner && IsWindowEnabled(owner)) {
        EnableWindow(owner, FALSE);
        ownerDisabled = true;
    }

    INT_PTR result = -1;
    if (Make(true, owner)) {
        // A modeless sheet is over when it has no current page any more
        // (OK, Cancel or the close box).
        while (Handle() && CurrentPage()) {
            if (!PumpNestedMessage()) break;
        }
        // OK and Apply both apply every page; the sheet closed with OK when
        // the last word the pages had was an apply and not a reset.
        result = endedWithOk_ ? IDOK : IDCANCEL;
    }
    if (ownerDisabled) EnableWindow(owner, TRUE);
    if (owner && Handle() && GetActiveWindow() == Handle()) SetActiveWindow(owner);
    Destroy();
    return result;
}

HWND CPropertySheet::CurrentPage() const {
    return Handle() ? reinterpret_cast<HWND>(SendMessageW(Handle(), PSM_GETCURRENTPAGEHWND, 0, 0)) : nullptr;
}

bool CPropertySheet::PreTranslateMessage(MSG& msg) {
    return Handle() && SendMessageW(Handle(), PSM_ISDIALOGMESSAGE, 0, reinterpret_cast<LPARAM>(&msg));
}

}  // namespace framework
