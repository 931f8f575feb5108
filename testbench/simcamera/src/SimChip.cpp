#include "SimChip.h"

#include <dshow.h>

namespace simcamera {

namespace {

constexpr DWORD kRecordBytes = 40;
constexpr int kOperation = 5;
constexpr int kAddress = 6;
constexpr int kValue = 7;
constexpr int kLength = 8;
constexpr int kBank = 9;
constexpr int32_t kGet = 1;
constexpr int32_t kSet = 2;

enum Property : DWORD {
    AsicRead = 0,
    AsicWrite,
    MemoryRead,
    MemoryWrite,
    ParameterRead,
    ParameterWrite,
    TotalFrames,
    ErrorFrames,
    HardwareInfo
};

bool IsReadProperty(DWORD property) {
    return property == AsicRead || property == MemoryRead || property == ParameterRead || property == HardwareInfo;
}

}  // namespace

CSimChip* Chip(int device) {
    static CSimChip chips[kDeviceCount];
    return device >= 0 && device < kDeviceCount ? &chips[device] : nullptr;
}

void CSimChip::Reset() {
    std::lock_guard<std::mutex> hold(lock_);
    registers_.clear();
    for (auto& bank : memory_) bank.fill(0);
    for (auto& kind : parameters_) kind.clear();
    for (auto& kind : hardwareInfo_) kind.clear();
    totalFrames_ = errorFrames_ = 0;
    for (auto& record : selected_) record.fill(0);
    for (auto& property : failures_) property.fill(Failure{});
    droppedWrites_.clear();
    calls_.clear();
    vendorValue_ = 0;
    vendorResult_ = S_OK;
    vendorCalls_.clear();
    offersPropertySet = true;
    offersVendorInterface = true;
    creationResult = S_OK;
    createdFilters = 0;
}

HRESULT CSimChip::Set(DWORD property, const int32_t* instance, DWORD instanceBytes, const int32_t* data,
                      DWORD dataBytes) {
    std::lock_guard<std::mutex> hold(lock_);
    SimChipCall call{};
    call.property = static_cast<int32_t>(property);
    call.isSet = 1;
    call.instanceBytes = instanceBytes;
    call.dataBytes = dataBytes;
    call.sameBuffer = instance == data;
    HRESULT hr = E_INVALIDARG;
    if (data != nullptr && dataBytes >= kRecordBytes && instance != nullptr && instanceBytes >= kRecordBytes) {
        for (int i = 0; i < 10; ++i) call.record[i] = data[i];
        hr = InjectedFailure(property, true);
        if (hr == S_OK) hr = Answer(property, true, data, nullptr);
    }
    call.result = hr;
    calls_.push_back(call);
    return hr;
}

HRESULT CSimChip::Get(DWORD property, const int32_t* instance, DWORD instanceBytes, int32_t* data, DWORD dataBytes,
                      DWORD* returned) {
    std::lock_guard<std::mutex> hold(lock_);
    SimChipCall call{};
    call.property = static_cast<int32_t>(property);
    call.instanceBytes = instanceBytes;
    call.dataBytes = dataBytes;
    call.sameBuffer = instance == data;
    HRESULT hr = E_INVALIDARG;
    if (data != nullptr && dataBytes >= kRecordBytes && instance != nullptr && instanceBytes >= kRecordBytes &&
        returned != nullptr) {
        for (int i = 0; i < 10; ++i) call.record[i] = data[i];
        hr = InjectedFailure(property, false);
        if (hr == S_OK) hr = Answer(property, false, data, data);
        *returned = hr == S_OK ? kRecordBytes : 0;
    }
    call.result = hr;
    calls_.push_back(call);
    return hr;
}

HRESULT CSimChip::InjectedFailure(DWORD property, bool isSet) {
    if (property >= kPropertyCount) return S_OK;
    Failure& failure = failures_[property][isSet ? 1 : 0];
    if (failure.remaining == 0) return S_OK;
    if (failure.remaining > 0) --failure.remaining;
    return failure.result;
}

// A set must say it is one (operation 2), a get likewise (operation 1); a
// read property's set only names what the next get answers for.
HRESULT CSimChip::Answer(DWORD property, bool isSet, const int32_t* record, int32_t* reply) {
    if (property >= kPropertyCount) return E_PROP_ID_UNSUPPORTED;
    if (record[kOperation] != (isSet ? kSet : kGet)) return E_INVALIDARG;
    if (isSet) {
        if (IsReadProperty(property)) {
            for (int i = 0; i < 10; ++i) selected_[property][i] = record[i];
            return S_OK;
        }
        switch (property) {
        case AsicWrite: registers_[record[kAddress]] = record[kValue]; return S_OK;
        case MemoryWrite: return WriteMemory(record);
        case ParameterWrite:
            if (record[kBank] < 0 || record[kBank] > 6) return E_INVALIDARG;
            parameters_[record[kBank]][record[kAddress]] = record[kValue];
            return S_OK;
        default: return E_PROP_ID_UNSUPPORTED;  // the counters cannot be set
        }
    }
    const std::array<int32_t, 10>& named = selected_[property];
    switch (property) {
    case AsicRead: reply[kValue] = registers_[named[kAddress]]; return S_OK;
    case MemoryRead: return ReadMemory(reply);
    case ParameterRead:
        if (named[kBank] < 0 || named[kBank] > 6) return E_INVALIDARG;
        reply[kValue] = parameters_[named[kBank]][named[kAddress]];
        return S_OK;
    case HardwareInfo:
        if (named[kBank] < 0 || named[kBank] > 1) return E_INVALIDARG;
        reply[kValue] = hardwareInfo_[named[kBank]][named[kAddress]];
        return S_OK;
    case TotalFrames: reply[kValue] = totalFrames_; return S_OK;
    case ErrorFrames: reply[kValue] = errorFrames_; return S_OK;
    default: return E_PROP_ID_UNSUPPORTED;  // write properties have nothing to get
    }
}

// Memory is little-endian: a 2-byte write of 0x3412 puts 0x12 first.
HRESULT CSimChip::WriteMemory(const int32_t* record) {
    const int32_t bank = record[kBank];
    const int32_t address = record[kAddress];
    const int32_t length = record[kLength];
    if (bank < 0 || bank > 1 || length < 1 || length > 4 || address < 0 || address > kMemoryBytes - length)
        return E_INVALIDARG;
    if (bank == 1) {
        auto dropped = droppedWrites_.find(address);
        if (dropped != droppedWrites_.end() && dropped->second > 0) {
            --dropped->second;
            return S_OK;
        }
    }
    for (int32_t i = 0; i < length; ++i)
        memory_[bank][address + i] = static_cast<uint8_t>(static_cast<uint32_t>(record[kValue]) >> (8 * i));
    return S_OK;
}

HRESULT CSimChip::ReadMemory(int32_t* reply) {
    const std::array<int32_t, 10>& named = selected_[MemoryRead];
    const int32_t bank = named[kBank];
    const int32_t address = named[kAddress];
    const int32_t length = named[kLength];
    if (bank < 0 || bank > 1 || length < 1 || length > 4 || address < 0 || address > kMemoryBytes - length)
        return E_INVALIDARG;
    uint32_t value = 0;
    for (int32_t i = 0; i < length; ++i) value |= static_cast<uint32_t>(memory_[bank][address + i]) << (8 * i);
    reply[kValue] = static_cast<int32_t>(value);
    return S_OK;
}

void CSimChip::SetRegister(int32_t address, int32_t value) {
    std::lock_guard<std::mutex> hold(lock_);
    registers_[address] = value;
}

int32_t CSimChip::Register(int32_t address) {
    std::lock_guard<std::mutex> hold(lock_);
    return registers_[address];
}

void CSimChip::SetMemoryByte(int bank, int32_t address, uint8_t value) {
    std::lock_guard<std::mutex> hold(lock_);
    if (bank >= 0 && bank <= 1 && address >= 0 && address < kMemoryBytes) memory_[bank][address] = value;
}

uint8_t CSimChip::MemoryByte(int bank, int32_t address) {
    std::lock_guard<std::mutex> hold(lock_);
    if (bank < 0 || bank > 1 || address < 0 || address >= kMemoryBytes) return 0;
    return memory_[bank][address];
}

void CSimChip::SetParameter(int kind, int32_t index, int32_t value) {
    std::lock_guard<std::mutex> hold(lock_);
    if (kind >= 0 && kind <= 6) parameters_[kind][index] = value;
}

int32_t CSimChip::Parameter(int kind, int32_t index) {
    std::lock_guard<std::mutex> hold(lock_);
    return kind >= 0 && kind <= 6 ? parameters_[kind][index] : 0;
}

void CSimChip::SetHardwareInfo(int kind, int32_t index, int32_t value) {
    std::lock_guard<std::mutex> hold(lock_);
    if (kind >= 0 && kind <= 1) hardwareInfo_[kind][index] = value;
}

void CSimChip::SetFrameCounts(int32_t total, int32_t errors) {
    std::lock_guard<std::mutex> hold(lock_);
    totalFrames_ = total;
    errorFrames_ = errors;
}

void CSimChip::FailProperty(int property, bool onSet, HRESULT result, int times) {
    std::lock_guard<std::mutex> hold(lock_);
    if (property >= 0 && property < kPropertyCount) failures_[property][onSet ? 1 : 0] = Failure{result, times};
}

void CSimChip::DropEepromWrites(int32_t address, int times) {
    std::lock_guard<std::mutex> hold(lock_);
    droppedWrites_[address] = times;
}

int CSimChip::CallCount() {
    std::lock_guard<std::mutex> hold(lock_);
    return static_cast<int>(calls_.size());
}

bool CSimChip::Call(int index, SimChipCall& call) {
    std::lock_guard<std::mutex> hold(lock_);
    if (index < 0 || index >= static_cast<int>(calls_.size())) return false;
    call = calls_[index];
    return true;
}

// The request the rotation status uses: 20 bytes, the second int 29.
HRESULT CSimChip::VendorRequest(ULONG size, int32_t* buffer) {
    std::lock_guard<std::mutex> hold(lock_);
    SimVendorCall call{};
    call.size = size;
    if (buffer != nullptr && size >= sizeof call.buffer) {
        for (int i = 0; i < 5; ++i) call.buffer[i] = buffer[i];
    }
    vendorCalls_.push_back(call);
    if (buffer == nullptr || size != sizeof call.buffer || buffer[1] != 29) return E_INVALIDARG;
    if (FAILED(vendorResult_)) return vendorResult_;
    buffer[2] = vendorValue_;
    return vendorResult_;
}

void CSimChip::SetVendorReply(int32_t value, HRESULT result) {
    std::lock_guard<std::mutex> hold(lock_);
    vendorValue_ = value;
    vendorResult_ = result;
}

int CSimChip::VendorCallCount() {
    std::lock_guard<std::mutex> hold(lock_);
    return static_cast<int>(vendorCalls_.size());
}

bool CSimChip::VendorCall(int index, SimVendorCall& call) {
    std::lock_guard<std::mutex> hold(lock_);
    if (index < 0 || index >= static_cast<int>(vendorCalls_.size())) return false;
    call = vendorCalls_[index];
    return true;
}

}  // namespace simcamera
