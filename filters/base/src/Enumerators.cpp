#include "dshowbase/Enumerators.h"
#include "CallGuard.h"

#include <new>
#include <utility>

namespace dshowbase {
namespace {

// Shared rules of Next: a null fetched count is allowed only for one item.
HRESULT CheckNextArguments(ULONG count, const void* items, const ULONG* fetched)
{
    if (items == nullptr) {
        return E_POINTER;
    }
    if (fetched == nullptr && count != 1) {
        return E_POINTER;
    }
    return S_OK;
}

HRESULT SkipWithin(ULONG size, ULONG* position, ULONG count)
{
    const ULONG left = size - *position;
    if (count > left) {
        *position = size;
        return S_FALSE;
    }
    *position += count;
    return S_OK;
}

} // namespace

CEnumPins::CEnumPins(std::vector<Microsoft::WRL::ComPtr<IPin>> pins, ULONG position)
    : CUnknown(L"pin enumerator"), pins_(std::move(pins)), position_(position)
{
}

HRESULT CEnumPins::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (riid == IID_IUnknown || riid == IID_IEnumPins) {
        return GetInterface(static_cast<IEnumPins*>(this), ppv);
    }
    return CUnknown::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP CEnumPins::Next(ULONG count, IPin** pins, ULONG* fetched)
{
    const HRESULT checked = CheckNextArguments(count, pins, fetched);
    if (FAILED(checked)) {
        return checked;
    }
    ULONG done = 0;
    while (done < count && position_ < pins_.size()) {
        pins[done] = pins_[position_].Get();
        pins[done]->AddRef();
        ++done;
        ++position_;
    }
    if (fetched != nullptr) {
        *fetched = done;
    }
    return done == count ? S_OK : S_FALSE;
}

STDMETHODIMP CEnumPins::Skip(ULONG count)
{
    return SkipWithin(static_cast<ULONG>(pins_.size()), &position_, count);
}

STDMETHODIMP CEnumPins::Reset()
{
    position_ = 0;
    return S_OK;
}

STDMETHODIMP CEnumPins::Clone(IEnumPins** clone)
{
    return boundary::GuardedCall([&]() -> HRESULT {
        if (clone == nullptr) {
            return E_POINTER;
        }
        *clone = nullptr;  // also when copying the list fails
        auto* copy = new (std::nothrow) CEnumPins(pins_, position_);
        if (copy == nullptr) {
            *clone = nullptr;
            return E_OUTOFMEMORY;
        }
        return copy->NonDelegatingQueryInterface(IID_IEnumPins, reinterpret_cast<void**>(clone));
    });
}

CEnumMediaTypes::CEnumMediaTypes(std::vector<CMediaType> types, ULONG position)
    : CUnknown(L"media type enumerator"), types_(std::move(types)), position_(position)
{
}

HRESULT CEnumMediaTypes::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (riid == IID_IUnknown || riid == IID_IEnumMediaTypes) {
        return GetInterface(static_cast<IEnumMediaTypes*>(this), ppv);
    }
    return CUnknown::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP CEnumMediaTypes::Next(ULONG count, AM_MEDIA_TYPE** types, ULONG* fetched)
{
    const HRESULT checked = CheckNextArguments(count, types, fetched);
    if (FAILED(checked)) {
        return checked;
    }
    ULONG done = 0;
    while (done < count && position_ < types_.size()) {
        types[done] = CreateMediaType(&types_[position_]);
        if (types[done] == nullptr) {
            // Hand nothing half-made back: free what this call produced.
            while (done > 0) {
                --done;
                DeleteMediaType(types[done]);
                types[done] = nullptr;
                --position_;
            }
            if (fetched != nullptr) {
                *fetched = 0;
            }
            return E_OUTOFMEMORY;
        }
        ++done;
        ++position_;
    }
    if (fetched != nullptr) {
        *fetched = done;
    }
    return done == count ? S_OK : S_FALSE;
}

STDMETHODIMP CEnumMediaTypes::Skip(ULONG count)
{
    return SkipWithin(static_cast<ULONG>(types_.size()), &position_, count);
}

STDMETHODIMP CEnumMediaTypes::Reset()
{
    position_ = 0;
    return S_OK;
}

STDMETHODIMP CEnumMediaTypes::Clone(IEnumMediaTypes** clone)
{
    return boundary::GuardedCall([&]() -> HRESULT {
        if (clone == nullptr) {
            return E_POINTER;
        }
        *clone = nullptr;  // also when copying the list fails
        auto* copy = new (std::nothrow) CEnumMediaTypes(types_, position_);
        if (copy == nullptr) {
            *clone = nullptr;
            return E_OUTOFMEMORY;
        }
        return copy->NonDelegatingQueryInterface(IID_IEnumMediaTypes,
                                                 reinterpret_cast<void**>(clone));
    });
}

} // namespace dshowbase
