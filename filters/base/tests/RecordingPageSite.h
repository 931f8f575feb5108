// A property page site that records what its page reports, for tests that
// drive pages without a property frame.
#pragma once

#include <ocidl.h>
#include <olectl.h>

namespace basetest {

class CRecordingSite : public IPropertyPageSite {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (riid == IID_IUnknown || riid == IID_IPropertyPageSite) {
            *ppv = this;
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++refs); }
    STDMETHODIMP_(ULONG) Release() override { return static_cast<ULONG>(--refs); }
    STDMETHODIMP OnStatusChange(DWORD flags) override {
        lastStatus = flags;
        ++changes;
        return S_OK;
    }
    STDMETHODIMP GetLocaleID(LCID* locale) override {
        *locale = 0;
        return S_OK;
    }
    STDMETHODIMP GetPageContainer(IUnknown** container) override {
        *container = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP TranslateAccelerator(MSG*) override { return E_NOTIMPL; }

    LONG refs = 1;
    DWORD lastStatus = 0;
    int changes = 0;
};

}  // namespace basetest
