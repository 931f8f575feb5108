// IKsPropertySet on a capture device's output pin: answers the pin category
// (AMPROPSETID_Pin / AMPROPERTY_PIN_CATEGORY) that capture graph builders
// and the engine's pin search read. Nothing can be set.
#pragma once

#include <dshow.h>

namespace bench {

class CPinCategory : public IKsPropertySet {
public:
    explicit CPinCategory(const GUID& category) : category_(category) {}
    virtual ~CPinCategory() = default;

    STDMETHODIMP Set(REFGUID propertySet, DWORD id, void* instance, DWORD instanceSize, void* data,
                     DWORD dataSize) override;
    STDMETHODIMP Get(REFGUID propertySet, DWORD id, void* instance, DWORD instanceSize, void* data, DWORD dataSize,
                     DWORD* returned) override;
    STDMETHODIMP QuerySupported(REFGUID propertySet, DWORD id, DWORD* support) override;

private:
    GUID category_;
};

}  // namespace bench
