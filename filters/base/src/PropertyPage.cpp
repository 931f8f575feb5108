#include "dshowbase/PropertyPage.h"
#include "CallGuard.h"
#include "failtrail/FailTrail.h"

#include "dshowbase/Module.h"

#include <cstring>
#include <string>

namespace dshowbase {
namespace {

INT_PTR CALLBACK MeasureProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG ? TRUE : FALSE; }

std::wstring LoadResourceString(int id) {
    // A zero buffer length returns a read-only pointer to the resource text.
    const wchar_t* text = nullptr;
    const int length = LoadStringW(ModuleInstance(), static_cast<UINT>(id), reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || text == nullptr) {
        return std::wstring();
    }
    return std::wstring(text, static_cast<size_t>(length));
}

}  // namespace

CBasePropertyPage::CBasePropertyPage(const wchar_t* objectName, int dialogId, int titleId)
    : CUnknown(objectName), dialogId_(dialogId), titleId_(titleId) {}

CBasePropertyPage::~CBasePropertyPage() {
    if (dialog_ != nullptr) {
        DestroyWindow(dialog_);
        dialog_ = nullptr;
    }
}

HRESULT CBasePropertyPage::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
    if (riid == IID_IUnknown || riid == IID_IPropertyPage) {
        return GetInterface(static_cast<IPropertyPage*>(this), ppv);
    }
    return CUnknown::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP CBasePropertyPage::SetPageSite(IPropertyPageSite* site) {
    if (site != nullptr && site_) {
        return E_UNEXPECTED;
    }
    site_ = site;
    return S_OK;
}

STDMETHODIMP CBasePropertyPage::Activate(HWND parent, LPCRECT rect, BOOL) {
    return boundary::GuardedCall([&]() -> HRESULT {
        if (rect == nullptr) {
            return E_POINTER;
        }
        if (!objectSet_ || dialog_ != nullptr) {
            return E_UNEXPECTED;
        }
        const HWND dialog = CreateDialogParamW(ModuleInstance(), MAKEINTRESOURCEW(dialogId_), parent,
                                               &CBasePropertyPage::DialogProc, reinterpret_cast<LPARAM>(this));
        RETURN_IF_NULL_ALLOC(dialog);
        dialog_ = dialog;
        const HRESULT hr = OnActivate();
        if (FAILED(hr)) {
            DestroyWindow(dialog_);
            dialog_ = nullptr;
            return hr;
        }
        Move(rect);
        return Show(SW_SHOWNORMAL);
    });
}

STDMETHODIMP CBasePropertyPage::Deactivate() {
    return boundary::GuardedCall([&]() -> HRESULT {
        if (dialog_ == nullptr) {
            return E_UNEXPECTED;
        }
        // The frame tabs between pages with WS_EX_CONTROLPARENT; a destroyed
        // page must not leave it set on a window the frame keeps.
        const LONG_PTR style = GetWindowLongPtrW(dialog_, GWL_EXSTYLE);
        SetWindowLongPtrW(dialog_, GWL_EXSTYLE, style & ~static_cast<LONG_PTR>(WS_EX_CONTROLPARENT));
        const HRESULT hr = OnDeactivate();
        DestroyWindow(dialog_);
        dialog_ = nullptr;
        return hr;
    });
}

SIZE CBasePropertyPage::MeasureDialog() const {
    SIZE size{0, 0};
    const HWND probe = CreateDialogParamW(ModuleInstance(), MAKEINTRESOURCEW(dialogId_), GetDesktopWindow(),
                                          &MeasureProc, 0);
    if (probe != nullptr) {
        RECT rect{};
        GetWindowRect(probe, &rect);
        size.cx = rect.right - rect.left;
        size.cy = rect.bottom - rect.top;
        DestroyWindow(probe);
    }
    return size;
}

STDMETHODIMP CBasePropertyPage::GetPageInfo(PROPPAGEINFO* info) {
    return boundary::GuardedCall([&]() -> HRESULT {
        if (info == nullptr) {
            return E_POINTER;
        }
        const std::wstring title = LoadResourceString(titleId_);
        const size_t bytes = (title.size() + 1) * sizeof(wchar_t);
        auto* text = static_cast<LPOLESTR>(CoTaskMemAlloc(bytes));
        RETURN_IF_NULL_ALLOC(text);
        std::memcpy(text, title.c_str(), bytes);
        info->cb = sizeof(PROPPAGEINFO);
        info->pszTitle = text;
        info->size = MeasureDialog();
        info->pszDocString = nullptr;
        info->pszHelpFile = nullptr;
        info->dwHelpContext = 0;
        return S_OK;
    });
}

STDMETHODIMP CBasePropertyPage::SetObjects(ULONG count, IUnknown** objects) {
    return boundary::GuardedCall([&]() -> HRESULT {
        if (count == 1) {
            if (objects == nullptr || objects[0] == nullptr) {
                return E_POINTER;
            }
            if (objectSet_) {
                // A new object replaces the old one.
                OnDisconnect();
                objectSet_ = false;
            }
            const HRESULT hr = OnConnect(objects[0]);
            objectSet_ = SUCCEEDED(hr);
            return hr;
        }
        if (count == 0) {
            site_.Reset();
            if (!objectSet_) {
                return S_OK;
            }
            objectSet_ = false;
            return OnDisconnect();
        }
        return E_UNEXPECTED;
    });
}

STDMETHODIMP CBasePropertyPage::Show(UINT command) {
    if (dialog_ == nullptr) {
        return E_UNEXPECTED;
    }
    if (command != SW_SHOW && command != SW_SHOWNORMAL && command != SW_HIDE) {
        return E_INVALIDARG;
    }
    ShowWindow(dialog_, static_cast<int>(command));
    InvalidateRect(dialog_, nullptr, TRUE);
    return S_OK;
}

STDMETHODIMP CBasePropertyPage::Move(LPCRECT rect) {
    if (rect == nullptr) {
        return E_POINTER;
    }
    if (dialog_ == nullptr) {
        return E_UNEXPECTED;
    }
    MoveWindow(dialog_, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, TRUE);
    return S_OK;
}

STDMETHODIMP CBasePropertyPage::IsPageDirty() { return dirty_ ? S_OK : S_FALSE; }

STDMETHODIMP CBasePropertyPage::Apply() {
    return boundary::GuardedCall([&]() -> HRESULT {
        if (!objectSet_ || !site_) {
            return E_UNEXPECTED;
        }
        if (!dirty_) {
            return S_OK;
        }
        const HRESULT hr = OnApplyChanges();
        if (SUCCEEDED(hr)) {
            dirty_ = false;
        }
        return hr;
    });
}

STDMETHODIMP CBasePropertyPage::Help(LPCOLESTR) { return E_NOTIMPL; }

STDMETHODIMP CBasePropertyPage::TranslateAccelerator(MSG*) { return E_NOTIMPL; }

HRESULT CBasePropertyPage::OnConnect(IUnknown*) { return S_OK; }
HRESULT CBasePropertyPage::OnDisconnect() { return S_OK; }
HRESULT CBasePropertyPage::OnActivate() { return S_OK; }
HRESULT CBasePropertyPage::OnDeactivate() { return S_OK; }
HRESULT CBasePropertyPage::OnApplyChanges() { return S_OK; }

INT_PTR CBasePropertyPage::OnReceiveMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
    // Keep the page a control parent so the frame's tab key reaches the
    // page's controls.
    if (message == WM_STYLECHANGING && wParam == static_cast<WPARAM>(GWL_EXSTYLE)) {
        auto* styles = reinterpret_cast<STYLESTRUCT*>(lParam);
        styles->styleNew |= WS_EX_CONTROLPARENT;
        return TRUE;
    }
    return FALSE;
}

void CBasePropertyPage::SetDirty() {
    dirty_ = true;
    if (site_) {
        site_->OnStatusChange(PROPPAGESTATUS_DIRTY);
    }
}

INT_PTR CALLBACK CBasePropertyPage::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CBasePropertyPage* page = nullptr;
    if (message == WM_INITDIALOG) {
        page = reinterpret_cast<CBasePropertyPage*>(lParam);
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        if (page != nullptr) {
            page->dialog_ = window;
        }
    } else {
        page = reinterpret_cast<CBasePropertyPage*>(GetWindowLongPtrW(window, DWLP_USER));
    }
    if (page == nullptr) {
        return FALSE;
    }
    if (message == WM_NCDESTROY) {
        // Messages after this one have no page to go to.
        SetWindowLongPtrW(window, DWLP_USER, 0);
    }
    return boundary::GuardedValue<INT_PTR>(FALSE,
                                           [&] { return page->OnReceiveMessage(window, message, wParam, lParam); });
}

}  // namespace dshowbase
