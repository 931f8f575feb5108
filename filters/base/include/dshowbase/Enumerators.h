// IEnumPins and IEnumMediaTypes over a snapshot taken when the enumerator is
// made. A filter's pins and a pin's offered types are fixed while a caller
// walks them, so a snapshot needs no version checks; Clone copies the
// snapshot and the position.
#pragma once

#include "dshowbase/MediaType.h"
#include "dshowbase/Unknown.h"

#include <dshow.h>
#include <wrl/client.h>

#include <vector>

namespace dshowbase {

class CEnumPins final : public CUnknown, public IEnumPins {
public:
    // Takes a reference on each pin for the enumerator's life.
    explicit CEnumPins(std::vector<Microsoft::WRL::ComPtr<IPin>> pins, ULONG position = 0);

    DSHOWBASE_DECLARE_IUNKNOWN
    HRESULT NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    STDMETHODIMP Next(ULONG count, IPin** pins, ULONG* fetched) override;
    STDMETHODIMP Skip(ULONG count) override;
    STDMETHODIMP Reset() override;
    STDMETHODIMP Clone(IEnumPins** clone) override;

private:
    std::vector<Microsoft::WRL::ComPtr<IPin>> pins_;
    ULONG position_;
};

class CEnumMediaTypes final : public CUnknown, public IEnumMediaTypes {
public:
    explicit CEnumMediaTypes(std::vector<CMediaType> types, ULONG position = 0);

    DSHOWBASE_DECLARE_IUNKNOWN
    HRESULT NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    // Each fetched type is a task-memory copy the caller frees with
    // DeleteMediaType.
    STDMETHODIMP Next(ULONG count, AM_MEDIA_TYPE** types, ULONG* fetched) override;
    STDMETHODIMP Skip(ULONG count) override;
    STDMETHODIMP Reset() override;
    STDMETHODIMP Clone(IEnumMediaTypes** clone) override;

private:
    std::vector<CMediaType> types_;
    ULONG position_;
};

} // namespace dshowbase
