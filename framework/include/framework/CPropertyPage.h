// One page of a property sheet: a dialog template the sheet creates when the
// page is first shown. The sheet's notifications arrive as virtuals.
#pragma once

#include "framework/CDialog.h"

#include <prsht.h>

#include <string>

namespace framework {

class CPropertySheet;

class CPropertyPage : public CDialog {
public:
    explicit CPropertyPage(UINT templateId, HINSTANCE module = nullptr);

    // A title of the page's own instead of the template's caption.
    void SetTitle(std::wstring title);
    // Page flags beyond the title (PSP_HASHELP and so on).
    void SetFlags(DWORD flags) { extraFlags_ = flags; }

    // Marks the page changed (enables the sheet's Apply button) or not.
    void SetModified(bool changed);

    // The page description the sheet is built from; valid while the page lives.
    const PROPSHEETPAGEW& Description();

    // Keyboard navigation belongs to the sheet, which spans the pages.
    bool PreTranslateMessage(MSG&) override { return false; }

protected:
    // false refuses to show the page.
    virtual bool OnSetActive() { return true; }
    // false keeps the page (a value is wrong); by default the controls'
    // values are taken into the members.
    virtual bool OnKillActive() { return UpdateData(true); }
    // OK or Apply: false keeps the sheet open on this page.
    virtual bool OnApply() { return true; }
    // Cancel.
    virtual void OnReset() {}

    // Pages end with the sheet, never on their own.
    void OnOK() override {}
    void OnCancel() override {}

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The framework sheet this page sits in, if it is one.
    CPropertySheet* Sheet() const;
    static INT_PTR CALLBACK RoutePageMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    PROPSHEETPAGEW description_{};
    std::wstring title_;
    DWORD extraFlags_ = 0;
};

}  // namespace framework
