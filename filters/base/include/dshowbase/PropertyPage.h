// IPropertyPage over a dialog template of this module. A page derives from
// CBasePropertyPage, passes its dialog and title string resource ids, and
// overrides the hooks:
//   OnConnect(object)   SetObjects with one object: query its interfaces
//   OnDisconnect()      SetObjects with none: release them
//   OnActivate()        the dialog exists (Hwnd()): fill the controls
//   OnDeactivate()      the dialog is about to go
//   OnApplyChanges()    Apply while dirty: send the settings
//   OnReceiveMessage()  every message of the dialog; return what a dialog
//                       procedure returns (TRUE when handled)
// DSHOWBASE_PROPERTY_PAGE_HOOKS in the page's class body declares all six.
// SetDirty() marks the page changed and tells the page site, which enables
// the frame's Apply button.
#pragma once

#include "dshowbase/Unknown.h"

#include <ocidl.h>
#include <olectl.h>
#include <windows.h>
#include <wrl/client.h>

namespace dshowbase {

class CBasePropertyPage : public CUnknown, public IPropertyPage {
public:
    CBasePropertyPage(const wchar_t* objectName, int dialogId, int titleId);
    ~CBasePropertyPage() override;

    DSHOWBASE_DECLARE_IUNKNOWN
    HRESULT NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    // IPropertyPage
    STDMETHODIMP SetPageSite(IPropertyPageSite* site) override;
    STDMETHODIMP Activate(HWND parent, LPCRECT rect, BOOL modal) override;
    STDMETHODIMP Deactivate() override;
    STDMETHODIMP GetPageInfo(PROPPAGEINFO* info) override;
    STDMETHODIMP SetObjects(ULONG count, IUnknown** objects) override;
    STDMETHODIMP Show(UINT command) override;
    STDMETHODIMP Move(LPCRECT rect) override;
    STDMETHODIMP IsPageDirty() override;
    STDMETHODIMP Apply() override;
    STDMETHODIMP Help(LPCOLESTR helpDir) override;
    STDMETHODIMP TranslateAccelerator(MSG* msg) override;

    virtual HRESULT OnConnect(IUnknown* object);
    virtual HRESULT OnDisconnect();
    virtual HRESULT OnActivate();
    virtual HRESULT OnDeactivate();
    virtual HRESULT OnApplyChanges();
    virtual INT_PTR OnReceiveMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    void SetDirty();
    HWND Hwnd() const { return dialog_; }
    bool IsDirtyFlag() const { return dirty_; }
    IPropertyPageSite* PageSite() const { return site_.Get(); }

protected:
    bool dirty_ = false;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    SIZE MeasureDialog() const;

    int dialogId_;
    int titleId_;
    HWND dialog_ = nullptr;
    bool objectSet_ = false;
    Microsoft::WRL::ComPtr<IPropertyPageSite> site_;
};

}  // namespace dshowbase

#define DSHOWBASE_PROPERTY_PAGE_HOOKS                                                                                  \
    HRESULT OnConnect(IUnknown* object) override;                                                                      \
    HRESULT OnDisconnect() override;                                                                                   \
    HRESULT OnActivate() override;                                                                                     \
    HRESULT OnDeactivate() override;                                                                                   \
    HRESULT OnApplyChanges() override;                                                                                 \
    INT_PTR OnReceiveMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
