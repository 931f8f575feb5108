// The state of one simulated camera chip and how it answers the property
// set: reads name an address with a set and take the value with the get
// that follows; writes change registers, memories and parameters at once.
#pragma once

#include "SimCamera.h"

#include <array>
#include <atomic>
#include <map>
#include <mutex>
#include <vector>

namespace simcamera {

constexpr int kDeviceCount = 2;
constexpr int32_t kMemoryBytes = 4096;
constexpr int kPropertyCount = 9;

class CSimChip {
public:
    void Reset();

    HRESULT Set(DWORD property, const int32_t* instance, DWORD instanceBytes, const int32_t* data, DWORD dataBytes);
    HRESULT Get(DWORD property, const int32_t* instance, DWORD instanceBytes, int32_t* data, DWORD dataBytes,
                DWORD* returned);

    // Hooks.
    void SetRegister(int32_t address, int32_t value);
    int32_t Register(int32_t address);
    void SetMemoryByte(int bank, int32_t address, uint8_t value);
    uint8_t MemoryByte(int bank, int32_t address);
    void SetParameter(int kind, int32_t index, int32_t value);
    int32_t Parameter(int kind, int32_t index);
    void SetHardwareInfo(int kind, int32_t index, int32_t value);
    void SetFrameCounts(int32_t total, int32_t errors);
    void FailProperty(int property, bool onSet, HRESULT result, int times);
    void DropEepromWrites(int32_t address, int times);
    int CallCount();
    bool Call(int index, SimChipCall& call);

    HRESULT VendorRequest(ULONG size, int32_t* buffer);
    void SetVendorReply(int32_t value, HRESULT result);
    int VendorCallCount();
    bool VendorCall(int index, SimVendorCall& call);

    // Interfaces and creation, read by the filter.
    std::atomic<bool> offersPropertySet{true};
    std::atomic<bool> offersVendorInterface{true};
    std::atomic<HRESULT> creationResult{S_OK};
    std::atomic<int> createdFilters{0};

private:
    struct Failure {
        HRESULT result = S_OK;
        int remaining = 0;
    };

    HRESULT Answer(DWORD property, bool isSet, const int32_t* record, int32_t* reply);
    HRESULT InjectedFailure(DWORD property, bool isSet);
    HRESULT WriteMemory(const int32_t* record);
    HRESULT ReadMemory(int32_t* reply);

    std::mutex lock_;
    std::map<int32_t, int32_t> registers_;
    std::array<std::array<uint8_t, kMemoryBytes>, 2> memory_{};
    std::array<std::map<int32_t, int32_t>, 7> parameters_;
    std::array<std::map<int32_t, int32_t>, 2> hardwareInfo_;
    int32_t totalFrames_ = 0;
    int32_t errorFrames_ = 0;
    std::array<std::array<int32_t, 10>, kPropertyCount> selected_{};
    std::array<std::array<Failure, 2>, kPropertyCount> failures_{};
    std::map<int32_t, int> droppedWrites_;
    std::vector<SimChipCall> calls_;
    int32_t vendorValue_ = 0;
    HRESULT vendorResult_ = S_OK;
    std::vector<SimVendorCall> vendorCalls_;
};

// The chips of both devices; null for an index out of range.
CSimChip* Chip(int device);

}  // namespace simcamera
