// A property sheet over pages the caller owns, run modally by the
// framework's own loop or modeless.
#pragma once

#include "framework/CPropertyPage.h"

#include <string>
#include <vector>

namespace framework {

class CPropertySheet : public CWindow {
public:
    explicit CPropertySheet(std::wstring caption, HWND parent = nullptr, UINT firstPage = 0);
    ~CPropertySheet() override;

    void AddPage(CPropertyPage* page);
    // Sheet flags added to (or taken from) the framework's own.
    void AddFlags(DWORD flags) { flags_ |= flags; }
    void RemoveFlags(DWORD flags) { flags_ &= ~flags; }
    DWORD Flags() const { return flags_; }

    // IDOK when the sheet ended through OK, IDCANCEL otherwise, -1 when it
    // could not be made. The owner is disabled meanwhile.
    INT_PTR DoModal();
    bool CreateModeless();

    HWND CurrentPage() const;
    bool PreTranslateMessage(MSG& msg) override;

protected:
    // Once the sheet window exists, before it shows.
    virtual void OnSheetCreated() {}

private:
    friend class CPropertyPage;
    // From the pages: every made page took OK or Apply, or Cancel reset them.
    void NoteApplied() { endedWithOk_ = true; }
    void NoteReset() { endedWithOk_ = false; }

    static int CALLBACK SheetCallback(HWND hwnd, UINT message, LPARAM lParam);
    bool Make(bool modeless, HWND owner);

    std::wstring caption_;
    HWND parent_;
    UINT firstPage_;
    DWORD flags_;
    std::vector<CPropertyPage*> pages_;
    bool endedWithOk_ = false;
};

}  // namespace framework
