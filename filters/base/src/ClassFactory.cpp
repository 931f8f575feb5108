#include "dshowbase/ClassFactory.h"
#include "CallGuard.h"
#include "failtrail/FailTrail.h"

#include "dshowbase/Module.h"

#include <new>

namespace dshowbase {

CClassFactory::CClassFactory(const FactoryTemplate& entry) : CUnknown(L"class factory"), entry_(entry) {}

HRESULT CClassFactory::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
    if (riid == IID_IUnknown || riid == IID_IClassFactory) {
        return GetInterface(static_cast<IClassFactory*>(this), ppv);
    }
    return CUnknown::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP CClassFactory::CreateInstance(IUnknown* outer, REFIID riid, void** ppv) {
    if (ppv == nullptr) {
        return E_POINTER;
    }
    *ppv = nullptr;
    if (outer != nullptr) {
        return CLASS_E_NOAGGREGATION;
    }
    return CreateFromTemplate(entry_, riid, ppv);
}

STDMETHODIMP CClassFactory::LockServer(BOOL lock) {
    LockModule(lock != FALSE);
    return S_OK;
}

HRESULT CreateFromTemplate(const FactoryTemplate& entry, REFIID riid, void** ppv) {
    if (ppv == nullptr) {
        return E_POINTER;
    }
    *ppv = nullptr;
    if (entry.create == nullptr) {
        return E_UNEXPECTED;
    }
    HRESULT result = S_OK;
    CUnknown* object = nullptr;
    // Nothing may escape into the COM caller, allocation failures included.
    try {
        object = entry.create(&result);
    } catch (...) {
        object = nullptr;
        if (SUCCEEDED(result)) {
            result = E_OUTOFMEMORY;
        }
    }
    if (object == nullptr) {
        return FAILED(result) ? result : E_OUTOFMEMORY;
    }
    // The temporary reference destroys an object that failed to construct
    // or does not offer the interface.
    object->NonDelegatingAddRef();
    HRESULT hr = result;
    if (SUCCEEDED(hr)) {
        hr = object->NonDelegatingQueryInterface(riid, ppv);
    }
    object->NonDelegatingRelease();
    return hr;
}

HRESULT GetClassObject(const FactoryTemplate* templates, size_t count, REFCLSID clsid, REFIID riid, void** ppv) {
    return boundary::GuardedCall([&]() -> HRESULT {
        if (ppv == nullptr) {
            return E_POINTER;
        }
        *ppv = nullptr;
        if (riid != IID_IUnknown && riid != IID_IClassFactory) {
            return E_NOINTERFACE;
        }
        for (size_t i = 0; i < count; ++i) {
            if (templates[i].clsid != nullptr && *templates[i].clsid == clsid) {
                auto* factory = new (std::nothrow) CClassFactory(templates[i]);
                RETURN_IF_NULL_ALLOC(factory);
                factory->NonDelegatingAddRef();
                const HRESULT hr = factory->NonDelegatingQueryInterface(riid, ppv);
                factory->NonDelegatingRelease();
                return hr;
            }
        }
        return CLASS_E_CLASSNOTAVAILABLE;
    });
}

}  // namespace dshowbase
