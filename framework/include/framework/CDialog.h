// A dialog from a template, modal or modeless. The modal loop is the
// framework's own, so every message passes PreTranslateMessage of its
// window's objects before it is dispatched.
#pragma once

#include "framework/CWindow.h"
#include "framework/DataExchange.h"

namespace framework {

class CDialog : public CWindow {
public:
    // module null: the program's own resources.
    explicit CDialog(UINT templateId, HWND parent = nullptr, HINSTANCE module = nullptr);
    ~CDialog() override;

    // Runs the dialog until EndDialog; -1 when it could not be made or was
    // destroyed without an end. The owner is disabled meanwhile.
    INT_PTR DoModal();
    bool CreateModeless();
    // Ends a modal dialog with `result`; destroys a modeless one.
    void EndDialog(INT_PTR result);
    bool IsModal() const { return modal_; }

    // Controls to members (save) or members to controls; false when a
    // value was refused, after OnDataInvalid.
    bool UpdateData(bool save);

    // IsDialogMessage: keyboard navigation, default and cancel buttons.
    bool PreTranslateMessage(MSG& msg) override;

protected:
    virtual BOOL OnInitDialog();  // UpdateData(false); TRUE: focus the first control
    virtual void OnOK();          // UpdateData(true), then EndDialog(IDOK)
    virtual void OnCancel();      // EndDialog(IDCANCEL)
    virtual void DoDataExchange(CDataExchange&) {}
    // A value of control `id` was refused: beeps and puts the focus there.
    virtual void OnDataInvalid(int id);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    UINT TemplateId() const { return templateId_; }
    HINSTANCE Module() const { return module_; }

    // The dialog procedure: binds the window to its object at
    // WM_INITDIALOG, whose lParam is the object. Derived kinds (property
    // pages) bind through their own.
    static INT_PTR CALLBACK RouteDialogMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    BOOL BindAndInitialise(HWND hwnd);

private:
    void RunModalLoop();

    UINT templateId_;
    HWND parent_;
    HINSTANCE module_;
    INT_PTR result_ = -1;
    bool modal_ = false;
    bool continueModal_ = false;
};

}  // namespace framework
