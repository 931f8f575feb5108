#include "dshowbase/BasePin.h"
#include "CallGuard.h"
#include "failtrail/FailTrail.h"

#include "dshowbase/BaseFilter.h"
#include "dshowbase/Enumerators.h"

#include <cstring>
#include <new>
#include <vector>

namespace dshowbase {
namespace {

// Refusals that only mean "not this type"; anything else is worth
// reporting to whoever asked for the connection.
bool IsPlainTypeRefusal(HRESULT hr) {
    return hr == E_FAIL || hr == E_INVALIDARG || hr == S_FALSE || hr == VFW_E_TYPE_NOT_ACCEPTED ||
           hr == VFW_E_INVALIDMEDIATYPE || hr == VFW_E_NO_ACCEPTABLE_TYPES;
}

}  // namespace

CBasePin::CBasePin(const wchar_t* objectName, CBaseFilter* filter, CCritSec* lock, const wchar_t* pinName,
                   PIN_DIRECTION direction)
    : CUnknown(objectName),
      filter_(filter),
      lock_(lock),
      name_(pinName != nullptr ? pinName : L""),
      direction_(direction) {}

CBasePin::~CBasePin() = default;

ULONG CBasePin::NonDelegatingAddRef() { return filter_->NonDelegatingAddRef(); }

ULONG CBasePin::NonDelegatingRelease() { return filter_->NonDelegatingRelease(); }

HRESULT CBasePin::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
    if (riid == IID_IUnknown || riid == IID_IPin) {
        return GetInterface(static_cast<IPin*>(this), ppv);
    }
    return CUnknown::NonDelegatingQueryInterface(riid, ppv);
}

bool CBasePin::IsStopped() const { return filter_->IsStopped(); }

HRESULT CBasePin::CheckConnectable() const {
    if (connected_) {
        return VFW_E_ALREADY_CONNECTED;
    }
    return IsStopped() ? S_OK : VFW_E_NOT_STOPPED;
}

STDMETHODIMP CBasePin::Connect(IPin* receivePin, const AM_MEDIA_TYPE* type) {
    return boundary::GuardedCall([&]() -> HRESULT {
        if (receivePin == nullptr) {
            return E_POINTER;
        }
        CAutoLock lock(lock_);
        RETURN_IF_FAILED(CheckConnectable());
        if (type == nullptr) {
            return AgreeMediaType(receivePin, nullptr);
        }
        const CMediaType partial(*type);
        return AgreeMediaType(receivePin, &partial);
    });
}

HRESULT CBasePin::AgreeMediaType(IPin* receivePin, const CMediaType* partial) {
    if (partial != nullptr && !partial->IsPartiallySpecified()) {
        return AttemptConnection(receivePin, *partial);
    }
    HRESULT failure = VFW_E_NO_ACCEPTABLE_TYPES;
    for (int pass = 0; pass < 2; ++pass) {
        const bool own = (pass == 0) == tryOwnTypesFirst_;
        Microsoft::WRL::ComPtr<IEnumMediaTypes> types;
        const HRESULT listed = own ? EnumMediaTypes(types.GetAddressOf())
                                   : receivePin->EnumMediaTypes(types.GetAddressOf());
        if (FAILED(listed) || !types) {
            continue;
        }
        const HRESULT hr = TryMediaTypes(receivePin, partial, types.Get());
        if (SUCCEEDED(hr)) {
            return hr;
        }
        if (!IsPlainTypeRefusal(hr) && hr != VFW_E_NO_ACCEPTABLE_TYPES) {
            failure = hr;
        }
    }
    return failure;
}

HRESULT CBasePin::TryMediaTypes(IPin* receivePin, const CMediaType* partial, IEnumMediaTypes* types) {
    HRESULT failure = VFW_E_NO_ACCEPTABLE_TYPES;
    types->Reset();
    for (;;) {
        AM_MEDIA_TYPE* candidate = nullptr;
        ULONG fetched = 0;
        if (types->Next(1, &candidate, &fetched) != S_OK || fetched != 1 || candidate == nullptr) {
            break;
        }
        CMediaType type(*candidate);
        DeleteMediaType(candidate);
        if (partial != nullptr && !type.MatchesPartial(*partial)) {
            continue;
        }
        const HRESULT hr = AttemptConnection(receivePin, type);
        if (SUCCEEDED(hr)) {
            return hr;
        }
        if (!IsPlainTypeRefusal(hr) && failure == VFW_E_NO_ACCEPTABLE_TYPES) {
            failure = hr;
        }
    }
    return failure;
}

HRESULT CBasePin::AttemptConnection(IPin* receivePin, const CMediaType& type) {
    HRESULT hr = CheckConnect(receivePin);
    if (FAILED(hr)) {
        BreakConnect();
        return hr;
    }
    hr = CheckMediaType(&type);
    if (hr != S_OK) {
        BreakConnect();
        return FAILED(hr) ? hr : VFW_E_TYPE_NOT_ACCEPTED;
    }
    connected_ = receivePin;
    hr = SetMediaType(&type);
    if (SUCCEEDED(hr)) {
        hr = receivePin->ReceiveConnection(this, &type);
        if (SUCCEEDED(hr)) {
            hr = CompleteConnect(receivePin);
            if (SUCCEEDED(hr)) {
                return S_OK;
            }
            receivePin->Disconnect();
        }
    }
    DropConnection();
    return hr;
}

void CBasePin::DropConnection() {
    BreakConnect();
    connected_.Reset();
    mediaType_.Clear();
}

STDMETHODIMP CBasePin::ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* type) {
    return boundary::GuardedCall([&]() -> HRESULT {
        if (connector == nullptr || type == nullptr) {
            return E_POINTER;
        }
        CAutoLock lock(lock_);
        RETURN_IF_FAILED(CheckConnectable());
        HRESULT hr = CheckConnect(connector);
        if (FAILED(hr)) {
            BreakConnect();
            return hr;
        }
        const CMediaType offered(*type);
        hr = CheckMediaType(&offered);
        if (hr != S_OK) {
            BreakConnect();
            return FAILED(hr) ? hr : VFW_E_TYPE_NOT_ACCEPTED;
        }
        connected_ = connector;
        hr = SetMediaType(&offered);
        if (SUCCEEDED(hr)) {
            hr = CompleteConnect(connector);
            if (SUCCEEDED(hr)) {
                return S_OK;
            }
        }
        DropConnection();
        return hr;
    });
}

STDMETHODIMP CBasePin::Disconnect() {
    CAutoLock lock(lock_);
    if (!IsStopped()) {
        return VFW_E_NOT_STOPPED;
    }
    if (!connected_) {
        return S_FALSE;
    }
    DropConnection();
    return S_OK;
}

STDMETHODIMP CBasePin::ConnectedTo(IPin** pin) {
    if (pin == nullptr) {
        return E_POINTER;
    }
    CAutoLock lock(lock_);
    *pin = connected_.Get();
    if (*pin == nullptr) {
        return VFW_E_NOT_CONNECTED;
    }
    (*pin)->AddRef();
    return S_OK;
}

STDMETHODIMP CBasePin::ConnectionMediaType(AM_MEDIA_TYPE* type) {
    if (type == nullptr) {
        return E_POINTER;
    }
    CAutoLock lock(lock_);
    if (!connected_) {
        *type = AM_MEDIA_TYPE{};
        return VFW_E_NOT_CONNECTED;
    }
    return CopyMediaType(type, &mediaType_);
}

STDMETHODIMP CBasePin::QueryPinInfo(PIN_INFO* info) {
    if (info == nullptr) {
        return E_POINTER;
    }
    info->pFilter = filter_;
    filter_->AddRef();
    const size_t capacity = sizeof(info->achName) / sizeof(info->achName[0]);
    const size_t length = name_.size() < capacity ? name_.size() : capacity - 1;
    name_.copy(info->achName, length);
    info->achName[length] = L'\0';
    info->dir = direction_;
    return S_OK;
}

STDMETHODIMP CBasePin::QueryDirection(PIN_DIRECTION* direction) {
    if (direction == nullptr) {
        return E_POINTER;
    }
    *direction = direction_;
    return S_OK;
}

STDMETHODIMP CBasePin::QueryId(LPWSTR* id) {
    if (id == nullptr) {
        return E_POINTER;
    }
    const size_t bytes = (name_.size() + 1) * sizeof(wchar_t);
    *id = static_cast<LPWSTR>(CoTaskMemAlloc(bytes));
    RETURN_IF_NULL_ALLOC(*id);
    std::memcpy(*id, name_.c_str(), bytes);
    return S_OK;
}

STDMETHODIMP CBasePin::QueryAccept(const AM_MEDIA_TYPE* type) {
    return boundary::GuardedCall([&]() -> HRESULT {
        if (type == nullptr) {
            return E_POINTER;
        }
        const CMediaType offered(*type);
        return CheckMediaType(&offered) == S_OK ? S_OK : S_FALSE;
    });
}

STDMETHODIMP CBasePin::EnumMediaTypes(IEnumMediaTypes** types) {
    return boundary::GuardedCall([&]() -> HRESULT {
        if (types == nullptr) {
            return E_POINTER;
        }
        *types = nullptr;
        std::vector<CMediaType> list;
        {
            CAutoLock lock(lock_);
            for (int position = 0;; ++position) {
                CMediaType type;
                if (GetMediaType(position, &type) != S_OK) {
                    break;
                }
                list.push_back(std::move(type));
            }
        }
        auto* enumerator = new (std::nothrow) CEnumMediaTypes(std::move(list));
        RETURN_IF_NULL_ALLOC(enumerator);
        return enumerator->NonDelegatingQueryInterface(IID_IEnumMediaTypes, reinterpret_cast<void**>(types));
    });
}

STDMETHODIMP CBasePin::QueryInternalConnections(IPin**, ULONG*) { return E_NOTIMPL; }

STDMETHODIMP CBasePin::EndOfStream() { return direction_ == PINDIR_INPUT ? S_OK : E_UNEXPECTED; }

STDMETHODIMP CBasePin::BeginFlush() { return direction_ == PINDIR_INPUT ? S_OK : E_UNEXPECTED; }

STDMETHODIMP CBasePin::EndFlush() { return direction_ == PINDIR_INPUT ? S_OK : E_UNEXPECTED; }

STDMETHODIMP CBasePin::NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) {
    segmentStart_ = start;
    segmentStop_ = stop;
    segmentRate_ = rate;
    return S_OK;
}

HRESULT CBasePin::GetMediaType(int position, CMediaType*) { return position < 0 ? E_INVALIDARG : VFW_S_NO_MORE_ITEMS; }

HRESULT CBasePin::SetMediaType(const CMediaType* type) {
    if (type == nullptr) {
        return E_POINTER;
    }
    return mediaType_.Set(*type) ? S_OK : E_OUTOFMEMORY;
}

HRESULT CBasePin::CheckConnect(IPin* pin) {
    PIN_DIRECTION other = PINDIR_INPUT;
    RETURN_IF_FAILED(pin->QueryDirection(&other));
    return other == direction_ ? VFW_E_INVALID_DIRECTION : S_OK;
}

HRESULT CBasePin::CompleteConnect(IPin*) { return S_OK; }

HRESULT CBasePin::BreakConnect() { return S_OK; }

HRESULT CBasePin::Active() { return S_OK; }

HRESULT CBasePin::Inactive() { return S_OK; }

HRESULT CBasePin::Run(REFERENCE_TIME) { return S_OK; }

}  // namespace dshowbase
