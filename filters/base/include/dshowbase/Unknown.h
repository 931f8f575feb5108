// The reference-counting root of every COM object of the base layer.
//
// A class derives from CUnknown and from its COM interfaces, answers its own
// interfaces in NonDelegatingQueryInterface (calling the base for the rest),
// and puts DSHOWBASE_DECLARE_IUNKNOWN in its body so that all its interface
// branches share one IUnknown. Objects start with no reference; whoever
// creates one takes the first (ComPtr or the class factory). Aggregation is
// not supported: the class factory refuses an outer unknown.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <atomic>

namespace dshowbase {

class CUnknown {
public:
    explicit CUnknown(const wchar_t* objectName);
    virtual ~CUnknown();
    CUnknown(const CUnknown&) = delete;
    CUnknown& operator=(const CUnknown&) = delete;

    // IID_IUnknown is answered by the derived class (it knows its primary
    // interface); this root answers nothing.
    virtual HRESULT NonDelegatingQueryInterface(REFIID riid, void** ppv);
    virtual ULONG NonDelegatingAddRef();
    virtual ULONG NonDelegatingRelease();

    const wchar_t* ObjectName() const { return objectName_; }

protected:
    LONG RefCount() const { return refCount_.load(); }

private:
    const wchar_t* objectName_;
    std::atomic<LONG> refCount_{0};
};

// Hands out an interface pointer with a reference added.
HRESULT GetInterface(IUnknown* unknown, void** ppv);

}  // namespace dshowbase

#define DSHOWBASE_DECLARE_IUNKNOWN                                                                                     \
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override { return NonDelegatingQueryInterface(riid, ppv); }   \
    STDMETHODIMP_(ULONG) AddRef() override { return NonDelegatingAddRef(); }                                           \
    STDMETHODIMP_(ULONG) Release() override { return NonDelegatingRelease(); }
