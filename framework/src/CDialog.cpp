#include "framework/CDialog.h"

#include "framework/CApplication.h"

#include "CallGuard.h"

namespace framework {

CDialog::CDialog(UINT templateId, HWND parent, HINSTANCE module)
    : templateId_(templateId), parent_(parent), module_(module ? module : GetModuleHandleW(nullptr)) {}

CDialog::~CDialog() {
    // Destroyed here, while the object is still a dialog, so the last
    // messages reach this class's procedure and not a half-destroyed one.
    Destroy();
}

INT_PTR CALLBACK CDialog::RouteDialogMessage(HWND hwnd, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_INITDIALOG) return FALSE;
    auto dialog = reinterpret_cast<CDialog*>(lParam);
    if (!dialog) return FALSE;
    bool initialised = false;
    const BOOL focus = boundary::GuardedValue<BOOL>(FALSE, [&] {
        const BOOL answer = dialog->BindAndInitialise(hwnd);
        initialised = true;
        return answer;
    });
    if (initialised) return focus;
    // Half made is not shown: the dialog ends as one that could not be made.
    OutputDebugStringA("dialog not made: its initialisation threw\n");
    if (dialog->Handle() == hwnd)
        dialog->EndDialog(-1);
    else
        DestroyWindow(hwnd);
    return FALSE;
}

BOOL CDialog::BindAndInitialise(HWND hwnd) {
    if (!Subclass(hwnd)) return FALSE;
    created_ = true;
    return OnInitDialog();
}

INT_PTR CDialog::DoModal() {
    if (Handle()) return -1;
    HWND owner = parent_;
    if (!owner) {
        CApplication* app = CApplication::Current();
        if (app && app->MainWindow() && app->MainWindow()->Handle() != nullptr) owner = app->MainWindow()->Handle();
    }
    if (owner) owner = GetAncestor(owner, GA_ROOT);
    bool ownerDisabled = false;
    if (owner && IsWindowEnabled(owner)) {
        EnableWindow(owner, FALSE);
        ownerDisabled = true;
    }

    modal_ = true;
    continueModal_ = true;
    result_ = -1;
    HWND hwnd = CreateDialogParamW(module_, MAKEINTRESOURCEW(templateId_), owner, &CDialog::RouteDialogMessage,
                                   reinterpret_cast<LPARAM>(this));
    if (hwnd && Handle() == hwnd) RunModalLoop();

    if (Handle()) {
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (ownerDisabled) EnableWindow(owner, TRUE);
    if (owner && Handle() && GetActiveWindow() == Handle()) SetActiveWindow(owner);
    Destroy();
    modal_ = false;
    continueModal_ = false;
    return result_;
}

void CDialog::RunModalLoop() {
    // A dialog its initialisation left hidden is shown once, when the queue
    // first runs dry after everything the start-up posted; whoever hides it
    // later means it.
    bool showWhenIdle = !IsWindowVisible(Handle());
    MSG msg;
    while (continueModal_ && Handle()) {
        if (showWhenIdle && !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            showWhenIdle = false;
            ShowWindow(Handle(), SW_SHOWNORMAL);
            UpdateWindow(Handle());
            continue;
        }
        if (!PumpNestedMessage()) break;
    }
}

bool CDialog::CreateModeless() {
    if (Handle()) return false;
    modal_ = false;
    HWND hwnd = CreateDialogParamW(module_, MAKEINTRESOURCEW(templateId_), parent_, &CDialog::RouteDialogMessage,
                                   reinterpret_cast<LPARAM>(this));
    return hwnd && Handle() == hwnd;
}

void CDialog::EndDialog(INT_PTR result) {
    result_ = result;
    if (modal_) {
        continueModal_ = false;
        // Wake the loop if it waits for a message.
        if (Handle()) PostMessageW(Handle(), WM_NULL, 0, 0);
    } else {
        Destroy();
    }
}

bool CDialog::UpdateData(bool save) {
    if (!Handle()) return false;
    CDataExchange dx(Handle(), save);
    DoDataExchange(dx);
    if (!dx.Failed()) return true;
    OnDataInvalid(dx.FailedControl());
    return false;
}

bool CDialog::PreTranslateMessage(MSG& msg) { return Handle() && IsDialogMessageW(Handle(), &msg); }

BOOL CDialog::OnInitDialog() {
    UpdateData(false);
    return TRUE;
}

void CDialog::OnOK() {
    if (UpdateData(true)) EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::OnDataInvalid(int id) {
    MessageBeep(MB_ICONEXCLAMATION);
    HWND control = id > 0 ? GetDlgItem(Handle(), id) : nullptr;
    if (control) {
        SetFocus(control);
        SendMessageW(control, EM_SETSEL, 0, -1);
    }
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        // Buttons, Enter and Esc (which the dialog manager turns into
        // IDOK/IDCANCEL, as it does the close box).
        const bool fromButtonOrKey = lParam == 0 || HIWORD(wParam) == BN_CLICKED;
        if (fromButtonOrKey && LOWORD(wParam) == IDOK) {
            OnOK();
            return 0;
        }
        if (fromButtonOrKey && LOWORD(wParam) == IDCANCEL) {
            OnCancel();
            return 0;
        }
    }
    return CWindow::WindowProc(message, wParam, lParam);
}

}  // namespace framework
