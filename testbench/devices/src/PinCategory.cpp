#include "PinCategory.h"

namespace bench {

STDMETHODIMP CPinCategory::Set(REFGUID, DWORD, void*, DWORD, void*, DWORD) { return E_NOTIMPL; }

STDMETHODIMP CPinCategory::Get(REFGUID propertySet, DWORD id, void*, DWORD, void* data, DWORD dataSize,
                               DWORD* returned) {
    if (propertySet != AMPROPSETID_Pin) {
        return E_PROP_SET_UNSUPPORTED;
    }
    if (id != AMPROPERTY_PIN_CATEGORY) {
        return E_PROP_ID_UNSUPPORTED;
    }
    if (data == nullptr && returned == nullptr) {
        return E_POINTER;
    }
    if (returned != nullptr) {
        *returned = sizeof(GUID);
    }
    if (data == nullptr) {
        return S_OK;  // a size query
    }
    if (dataSize < sizeof(GUID)) {
        return E_UNEXPECTED;
    }
    *static_cast<GUID*>(data) = category_;
    return S_OK;
}

STDMETHODIMP CPinCategory::QuerySupported(REFGUID propertySet, DWORD id, DWORD* support) {
    if (propertySet != AMPROPSETID_Pin) {
        return E_PROP_SET_UNSUPPORTED;
    }
    if (id != AMPROPERTY_PIN_CATEGORY) {
        return E_PROP_ID_UNSUPPORTED;
    }
    if (support != nullptr) {
        *support = KSPROPERTY_SUPPORT_GET;
    }
    return S_OK;
}

}  // namespace bench
