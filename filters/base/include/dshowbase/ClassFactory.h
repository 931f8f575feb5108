// The class factory and the module entry points, driven by a table of the
// classes a DLL serves.
//
// A DLL lists its classes once:
//   const dshowbase::FactoryTemplate g_templates[] = {
//       {L"Image Effects", &CLSID_EffectFilter, &CreateNew<CEffectFilter>, &g_filterSetup},
//       {L"Special Effects", &CLSID_EffectSpecialPage, &CreateNew<CSpecialPage>, nullptr},
//   };
// and its four exports call GetClassObject, CanUnloadNow (Module.h) and
// RegisterServer (Registration.h) with that table. A creation function
// returns a new object (no reference taken yet) or null, and may report a
// failure through its result argument: null with no failure means
// E_OUTOFMEMORY.
#pragma once

#include "dshowbase/Unknown.h"

#include <windows.h>

#include <cstddef>
#include <new>

namespace dshowbase {

struct FilterSetup;

using CreateFunction = CUnknown* (*)(HRESULT* result);

// The creation function of a class made without arguments.
template <class T>
CUnknown* CreateNew(HRESULT* result) {
    T* object = new (std::nothrow) T();
    if (object == nullptr && result != nullptr) *result = E_OUTOFMEMORY;
    return object;
}

struct FactoryTemplate {
    const wchar_t* name;  // default value of the CLSID key
    const CLSID* clsid;
    CreateFunction create;
    const FilterSetup* filter;  // null for classes that are not filters
};

class CClassFactory final : public CUnknown, public IClassFactory {
public:
    explicit CClassFactory(const FactoryTemplate& entry);

    DSHOWBASE_DECLARE_IUNKNOWN
    HRESULT NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override;
    STDMETHODIMP LockServer(BOOL lock) override;

private:
    const FactoryTemplate& entry_;
};

// DllGetClassObject over a table: CLASS_E_CLASSNOTAVAILABLE for a class id
// the table does not hold.
HRESULT GetClassObject(const FactoryTemplate* templates, size_t count, REFCLSID clsid, REFIID riid, void** ppv);

// Creates one object of a table entry directly (what CreateInstance does),
// for code that has the table at hand.
HRESULT CreateFromTemplate(const FactoryTemplate& entry, REFIID riid, void** ppv);

}  // namespace dshowbase
