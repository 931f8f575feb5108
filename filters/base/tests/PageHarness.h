// A property page held as a property frame holds it, for tests that drive a
// filter's pages without the (modal) frame: the page created from the
// filter's page list, a recording site, and a visible frame window to
// activate the page into.
#pragma once

#include <ocidl.h>
#include <olectl.h>
#include <strmif.h>
#include <wrl/client.h>

#include <string>

#include "RecordingPageSite.h"

namespace basetest {

class CPageHarness {
public:
    // Page `index` of the filter's list, created through COM.
    CPageHarness(IUnknown* filter, ULONG index) {
        Microsoft::WRL::ComPtr<ISpecifyPropertyPages> pages;
        CAUUID list{};
        if (filter && SUCCEEDED(filter->QueryInterface(IID_PPV_ARGS(&pages))) && SUCCEEDED(pages->GetPages(&list))) {
            if (index < list.cElems) {
                clsid = list.pElems[index];
                CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&page));
            }
            CoTaskMemFree(list.pElems);
        }
        parent = CreateWindowExW(0, L"STATIC", L"frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 420, nullptr,
                                 nullptr, nullptr, nullptr);
    }
    ~CPageHarness() {
        if (page) {
            page->Deactivate();
            page->SetObjects(0, nullptr);
            page->SetPageSite(nullptr);
        }
        page.Reset();
        if (parent) DestroyWindow(parent);
    }
    CPageHarness(const CPageHarness&) = delete;
    CPageHarness& operator=(const CPageHarness&) = delete;

    // Site, object and activation, as a frame opens a page.
    HRESULT Open(IUnknown* object) {
        if (!page || !parent) return E_FAIL;
        HRESULT hr = page->SetPageSite(&site);
        if (SUCCEEDED(hr)) hr = page->SetObjects(1, &object);
        if (SUCCEEDED(hr)) hr = Activate();
        return hr;
    }
    HRESULT Activate() {
        RECT area{0, 0, 600, 380};
        return page->Activate(parent, &area, FALSE);
    }

    HWND Dialog() const { return GetWindow(parent, GW_CHILD); }
    HWND Item(int id) const { return GetDlgItem(Dialog(), id); }
    std::wstring Text(int id) const {
        wchar_t text[128] = {};
        GetDlgItemTextW(Dialog(), id, text, 128);
        return text;
    }
    bool Checked(int id) const { return IsDlgButtonChecked(Dialog(), id) == BST_CHECKED; }
    // WM_SETTEXT: the edit tells the dialog with EN_CHANGE, as typing does.
    void Type(int id, const wchar_t* text) { SendMessageW(Item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)); }
    void Click(int id) { SendMessageW(Item(id), BM_CLICK, 0, 0); }

    CLSID clsid{};
    Microsoft::WRL::ComPtr<IPropertyPage> page;
    CRecordingSite site;
    HWND parent = nullptr;
};

}  // namespace basetest
