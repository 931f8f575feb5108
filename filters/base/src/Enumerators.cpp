#include "dshowbase/Enumerators.h"
#include "CallGuard.h"
#include "failtrail/FailTrail.h"

#include <new>
#include <utility>

namespace dshowbase {
namespace {

// What differs between the two enumerators: the interface's id, the name the
// object goes by, and how one caller's copy is made and taken back.
template <class Items>
struct ItemRules;

template <>
struct ItemRules<PinItems> {
    static const IID& Iid() { return IID_IEnumPins; }
    static const wchar_t* Name() { return L"pin enumerator"; }
    static IPin* Copy(const Microsoft::WRL::ComPtr<IPin>& pin) {
        pin->AddRef();
        return pin.Get();
    }
    static void Free(IPin* pin) { pin->Release(); }
};

template <>
struct ItemRules<MediaTypeItems> {
    static const IID& Iid() { return IID_IEnumMediaTypes; }
    static const wchar_t* Name() { return L"media type enumerator"; }
    static AM_MEDIA_TYPE* Copy(const CMediaType& type) { return CreateMediaType(&type); }
    static void Free(AM_MEDIA_TYPE* type) { DeleteMediaType(type); }
};

}  // namespace

template <class Items>
CSnapshotEnumerator<Items>::CSnapshotEnumerator(std::vector<Stored> items, ULONG position)
    : CUnknown(ItemRules<Items>::Name()), items_(std::move(items)), position_(position) {}

template <class Items>
HRESULT CSnapshotEnumerator<Items>::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
    if (riid == IID_IUnknown || riid == ItemRules<Items>::Iid()) {
        return GetInterface(static_cast<Interface*>(this), ppv);
    }
    return CUnknown::NonDelegatingQueryInterface(riid, ppv);
}

template <class Items>
STDMETHODIMP CSnapshotEnumerator<Items>::Next(ULONG count, Item* items, ULONG* fetched) {
    // A null fetched count is allowed only for one item.
    if (items == nullptr || (fetched == nullptr && count != 1)) {
        return E_POINTER;
    }
    ULONG done = 0;
    while (done < count && position_ < items_.size()) {
        items[done] = ItemRules<Items>::Copy(items_[position_]);
        if (items[done] == nullptr) {
            // Hand nothing half-made back: free what this call produced.
            while (done > 0) {
                --done;
                ItemRules<Items>::Free(items[done]);
                items[done] = nullptr;
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

template <class Items>
STDMETHODIMP CSnapshotEnumerator<Items>::Skip(ULONG count) {
    const ULONG size = static_cast<ULONG>(items_.size());
    const ULONG left = size - position_;
    if (count > left) {
        position_ = size;
        return S_FALSE;
    }
    position_ += count;
    return S_OK;
}

template <class Items>
STDMETHODIMP CSnapshotEnumerator<Items>::Reset() {
    position_ = 0;
    return S_OK;
}

template <class Items>
STDMETHODIMP CSnapshotEnumerator<Items>::Clone(Interface** clone) {
    return boundary::GuardedCall([&]() -> HRESULT {
        if (clone == nullptr) {
            return E_POINTER;
        }
        *clone = nullptr;  // also when copying the list fails
        auto* copy = new (std::nothrow) CSnapshotEnumerator(items_, position_);
        RETURN_IF_NULL_ALLOC(copy);
        return copy->NonDelegatingQueryInterface(ItemRules<Items>::Iid(), reinterpret_cast<void**>(clone));
    });
}

template class CSnapshotEnumerator<PinItems>;
template class CSnapshotEnumerator<MediaTypeItems>;

}  // namespace dshowbase
