#include "dshowbase/Unknown.h"

#include "dshowbase/Module.h"

namespace dshowbase {

CUnknown::CUnknown(const wchar_t* objectName) : objectName_(objectName) { ObjectCreated(); }

CUnknown::~CUnknown() { ObjectDestroyed(); }

HRESULT CUnknown::NonDelegatingQueryInterface(REFIID, void** ppv) {
    if (ppv == nullptr) {
        return E_POINTER;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

ULONG CUnknown::NonDelegatingAddRef() { return static_cast<ULONG>(++refCount_); }

ULONG CUnknown::NonDelegatingRelease() {
    const LONG left = --refCount_;
    if (left == 0) {
        // A destructor that hands "this" out again (a callback in a final
        // release) must not reach zero a second time.
        refCount_ = 1;
        delete this;
        return 0;
    }
    return static_cast<ULONG>(left);
}

HRESULT GetInterface(IUnknown* unknown, void** ppv) {
    if (ppv == nullptr) {
        return E_POINTER;
    }
    *ppv = unknown;
    unknown->AddRef();
    return S_OK;
}

}  // namespace dshowbase
