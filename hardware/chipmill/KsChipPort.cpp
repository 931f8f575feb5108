#include "KsChipPort.h"

namespace chipmill {

using chipaccess::ChipAccessRecord;
using chipaccess::ChipCall;
using Microsoft::WRL::ComPtr;

const GUID PROPSETID_ChipAccess = {0xE02A32D0, 0xD2FC, 0x4628, {0xA1, 0xDD, 0xDE, 0x07, 0x9B, 0x11, 0xDF, 0xE1}};

namespace {

constexpr DWORD kRecordBytes = sizeof(ChipAccessRecord);

// The interface is asked for on every call and released after it, so the
// library never holds more of the driver than the filter itself.
bool QueryPropertySet(IBaseFilter* filter, ComPtr<IKsPropertySet>& properties) {
    return SUCCEEDED(filter->QueryInterface(IID_IKsPropertySet, reinterpret_cast<void**>(properties.GetAddressOf())));
}

ChipCall FromResult(HRESULT hr) { return hr == S_OK ? ChipCall::Done : ChipCall::Failed; }

}  // namespace

ChipCall CKsChipPort::Set(chipaccess::ChipProperty property, const ChipAccessRecord& record) {
    if (!filter_) return ChipCall::NotBound;
    ComPtr<IKsPropertySet> properties;
    if (!QueryPropertySet(filter_.Get(), properties)) return ChipCall::Failed;
    // The driver reads the same record as instance and as property data.
    ChipAccessRecord sent = record;
    return FromResult(properties->Set(PROPSETID_ChipAccess, static_cast<DWORD>(property), sent.data(), kRecordBytes,
                                      sent.data(), kRecordBytes));
}

ChipCall CKsChipPort::Get(chipaccess::ChipProperty property, ChipAccessRecord& record) {
    if (!filter_) return ChipCall::NotBound;
    ComPtr<IKsPropertySet> properties;
    if (!QueryPropertySet(filter_.Get(), properties)) return ChipCall::Failed;
    DWORD returned = 0;
    return FromResult(properties->Get(PROPSETID_ChipAccess, static_cast<DWORD>(property), record.data(), kRecordBytes,
                                      record.data(), kRecordBytes, &returned));
}

}  // namespace chipmill
