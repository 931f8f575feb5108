// Owners for what COM calls hand over to be freed by the receiver: a BSTR,
// a block from the task allocator (the elements of a CAUUID, a string
// from StringFromCLSID) and a VARIANT filled by a property read. Interfaces are held in
// Microsoft::WRL::ComPtr.
#pragma once

#include "winowners/UniqueOwner.h"

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

namespace winowners {

using UniqueBstr = UniqueAny<BSTR, &::SysFreeString>;

template <class Element>
using UniqueCoTaskMem = UniqueAny<Element*, &::CoTaskMemFree>;

// A VARIANT that starts empty and is cleared when it goes, whatever a
// property bag or a WMI object put in it.
class UniqueVariant {
public:
    UniqueVariant() noexcept { ::VariantInit(&value_); }
    ~UniqueVariant() { ::VariantClear(&value_); }
    UniqueVariant(const UniqueVariant&) = delete;
    UniqueVariant& operator=(const UniqueVariant&) = delete;

    // For an out-parameter: clears what is held first.
    VARIANT* put() noexcept {
        ::VariantClear(&value_);
        return &value_;
    }
    const VARIANT& get() const noexcept { return value_; }

    // The held string, or null when the value is not a string.
    BSTR bstr() const noexcept { return value_.vt == VT_BSTR ? value_.bstrVal : nullptr; }

private:
    VARIANT value_{};  // zeroed: a type set before a read has no stale payload to free
};

}  // namespace winowners
