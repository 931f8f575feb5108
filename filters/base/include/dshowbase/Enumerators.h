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

// One enumerator over a snapshot; Items says what is held and how a caller's
// copy of one is made (and taken back when a later one cannot be made).
template <class Items>
class CSnapshotEnumerator final : public CUnknown, public Items::Interface {
public:
    using Interface = typename Items::Interface;
    using Item = typename Items::Item;
    using Stored = typename Items::Stored;

    explicit CSnapshotEnumerator(std::vector<Stored> items, ULONG position = 0);

    DSHOWBASE_DECLARE_IUNKNOWN
    HRESULT NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    STDMETHODIMP Next(ULONG count, Item* items, ULONG* fetched) override;
    STDMETHODIMP Skip(ULONG count) override;
    STDMETHODIMP Reset() override;
    STDMETHODIMP Clone(Interface** clone) override;

private:
    std::vector<Stored> items_;
    ULONG position_;
};

// Each fetched pin carries a reference for the caller; the enumerator keeps
// one on each pin for its own life.
struct PinItems {
    using Interface = IEnumPins;
    using Item = IPin*;
    using Stored = Microsoft::WRL::ComPtr<IPin>;
};

// Each fetched type is a task-memory copy the caller frees with
// DeleteMediaType.
struct MediaTypeItems {
    using Interface = IEnumMediaTypes;
    using Item = AM_MEDIA_TYPE*;
    using Stored = CMediaType;
};

extern template class CSnapshotEnumerator<PinItems>;
extern template class CSnapshotEnumerator<MediaTypeItems>;

using CEnumPins = CSnapshotEnumerator<PinItems>;
using CEnumMediaTypes = CSnapshotEnumerator<MediaTypeItems>;

}  // namespace dshowbase
