// IPin without the SDK: connection negotiation, media-type storage, segment
// and flushing bookkeeping. Input and output pins (InputPin.h, OutputPin.h)
// add the transport.
//
// Negotiation (Connect on this pin): a fully specified type is tried alone;
// otherwise the other pin's types are tried, then this pin's own
// (GetMediaType 0, 1, ...), each through CheckConnect, CheckMediaType, the
// other pin's ReceiveConnection and CompleteConnect. A refusal that says more
// than "type not accepted" (a busy device, say) is what Connect returns.
#pragma once

#include "dshowbase/Lock.h"
#include "dshowbase/MediaType.h"
#include "dshowbase/Unknown.h"

#include <dshow.h>
#include <wrl/client.h>

#include <string>

namespace dshowbase {

class CBaseFilter;

class CBasePin : public CUnknown, public IPin {
public:
    CBasePin(const wchar_t* objectName, CBaseFilter* filter, CCritSec* lock, const wchar_t* pinName,
             PIN_DIRECTION direction);
    ~CBasePin() override;

    // A pin lives inside its filter: references count on the filter.
    ULONG NonDelegatingAddRef() override;
    ULONG NonDelegatingRelease() override;

    DSHOWBASE_DECLARE_IUNKNOWN
    HRESULT NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    // IPin
    STDMETHODIMP Connect(IPin* receivePin, const AM_MEDIA_TYPE* type) override;
    STDMETHODIMP ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* type) override;
    STDMETHODIMP Disconnect() override;
    STDMETHODIMP ConnectedTo(IPin** pin) override;
    STDMETHODIMP ConnectionMediaType(AM_MEDIA_TYPE* type) override;
    STDMETHODIMP QueryPinInfo(PIN_INFO* info) override;
    STDMETHODIMP QueryDirection(PIN_DIRECTION* direction) override;
    STDMETHODIMP QueryId(LPWSTR* id) override;
    STDMETHODIMP QueryAccept(const AM_MEDIA_TYPE* type) override;
    STDMETHODIMP EnumMediaTypes(IEnumMediaTypes** types) override;
    STDMETHODIMP QueryInternalConnections(IPin** pins, ULONG* count) override;
    STDMETHODIMP EndOfStream() override;
    STDMETHODIMP BeginFlush() override;
    STDMETHODIMP EndFlush() override;
    STDMETHODIMP NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) override;

    // Negotiation hooks.
    virtual HRESULT CheckMediaType(const CMediaType* type) = 0;
    // The types this pin offers, position 0 first; VFW_S_NO_MORE_ITEMS past
    // the end. Default: none.
    virtual HRESULT GetMediaType(int position, CMediaType* type);
    virtual HRESULT SetMediaType(const CMediaType* type);
    virtual HRESULT CheckConnect(IPin* pin);
    virtual HRESULT CompleteConnect(IPin* receivePin);
    virtual HRESULT BreakConnect();

    // State hooks, called by the filter for connected pins.
    virtual HRESULT Active();
    virtual HRESULT Inactive();
    virtual HRESULT Run(REFERENCE_TIME start);

    bool IsConnected() const { return connected_ != nullptr; }
    IPin* ConnectedPin() const { return connected_.Get(); }
    const CMediaType& CurrentMediaType() const { return mediaType_; }
    const std::wstring& Name() const { return name_; }
    PIN_DIRECTION Direction() const { return direction_; }
    CBaseFilter* Filter() const { return filter_; }
    bool IsStopped() const;

    REFERENCE_TIME SegmentStart() const { return segmentStart_; }
    REFERENCE_TIME SegmentStop() const { return segmentStop_; }
    double SegmentRate() const { return segmentRate_; }

protected:
    // VFW_E_ALREADY_CONNECTED or VFW_E_NOT_STOPPED when no connection may start.
    HRESULT CheckConnectable() const;
    HRESULT AgreeMediaType(IPin* receivePin, const CMediaType* partial);
    HRESULT TryMediaTypes(IPin* receivePin, const CMediaType* partial, IEnumMediaTypes* types);
    HRESULT AttemptConnection(IPin* receivePin, const CMediaType& type);
    void DropConnection();

    CBaseFilter* filter_;
    CCritSec* lock_;
    std::wstring name_;
    PIN_DIRECTION direction_;
    Microsoft::WRL::ComPtr<IPin> connected_;
    CMediaType mediaType_;
    // Output pins try the other pin's types first; a pin that knows its
    // exact format (a source) can set this to offer its own first.
    bool tryOwnTypesFirst_ = false;
    REFERENCE_TIME segmentStart_ = 0;
    REFERENCE_TIME segmentStop_ = MAXLONGLONG;
    double segmentRate_ = 1.0;
};

}  // namespace dshowbase
