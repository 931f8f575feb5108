// The COM entry points of simcamera.dll and the hooks tests drive it with.
#include "SimCamera.h"
#include "SimCameraFilter.h"

#include "dshowbase/ServerEntryPoints.h"
#include "dshowbase/Registration.h"

namespace {

using dshowbase::FactoryTemplate;
using dshowbase::FilterSetup;
using simcamera::Chip;
using simcamera::CSimCameraFilter;

const FilterSetup kCamera = {SIM_CAMERA_NAME, MERIT_DO_NOT_USE, &CLSID_VideoInputDeviceCategory, 0, nullptr};
const FilterSetup kCamera2 = {SIM_CAMERA2_NAME, MERIT_DO_NOT_USE, &CLSID_VideoInputDeviceCategory, 0, nullptr};

const FactoryTemplate kTemplates[] = {
    {SIM_CAMERA_NAME, &simcamera::CLSID_SimCamera, &CSimCameraFilter::CreateCamera, &kCamera},
    {SIM_CAMERA2_NAME, &simcamera::CLSID_SimCamera2, &CSimCameraFilter::CreateCamera2, &kCamera2},
};

}  // namespace

DSHOWBASE_CLASS_ENTRY_POINTS(kTemplates)
DSHOWBASE_REGISTRATION_ENTRY_POINTS(kTemplates)

extern "C" {

BOOL SimCameraListDevice(int device, BOOL listed) {
    if (Chip(device) == nullptr) return FALSE;
    const FactoryTemplate& entry = kTemplates[device];
    const HRESULT hr = listed ? dshowbase::RegisterFilter(*entry.clsid, *entry.filter)
                              : dshowbase::UnregisterFilter(*entry.clsid, *entry.filter);
    return SUCCEEDED(hr) || !listed;
}

void SimCameraReset() {
    for (int device = 0; device < simcamera::kDeviceCount; ++device) {
        Chip(device)->Reset();
        SimCameraListDevice(device, TRUE);
    }
}

void SimCameraSetRegister(int device, int32_t address, int32_t value) {
    if (auto* chip = Chip(device)) chip->SetRegister(address, value);
}

int32_t SimCameraRegister(int device, int32_t address) {
    auto* chip = Chip(device);
    return chip != nullptr ? chip->Register(address) : 0;
}

void SimCameraSetMemoryByte(int device, int bank, int32_t address, uint8_t value) {
    if (auto* chip = Chip(device)) chip->SetMemoryByte(bank, address, value);
}

uint8_t SimCameraMemoryByte(int device, int bank, int32_t address) {
    auto* chip = Chip(device);
    return chip != nullptr ? chip->MemoryByte(bank, address) : 0;
}

void SimCameraSetParameter(int device, int kind, int32_t index, int32_t value) {
    if (auto* chip = Chip(device)) chip->SetParameter(kind, index, value);
}

int32_t SimCameraParameter(int device, int kind, int32_t index) {
    auto* chip = Chip(device);
    return chip != nullptr ? chip->Parameter(kind, index) : 0;
}

void SimCameraSetHardwareInfo(int device, int kind, int32_t index, int32_t value) {
    if (auto* chip = Chip(device)) chip->SetHardwareInfo(kind, index, value);
}

void SimCameraSetFrameCounts(int device, int32_t total, int32_t errors) {
    if (auto* chip = Chip(device)) chip->SetFrameCounts(total, errors);
}

void SimCameraFailProperty(int device, int property, BOOL onSet, HRESULT result, int times) {
    if (auto* chip = Chip(device)) chip->FailProperty(property, onSet != FALSE, result, times);
}

void SimCameraDropEepromWrites(int device, int32_t address, int times) {
    if (auto* chip = Chip(device)) chip->DropEepromWrites(address, times);
}

void SimCameraOfferPropertySet(int device, BOOL offered) {
    if (auto* chip = Chip(device)) chip->offersPropertySet = offered != FALSE;
}

void SimCameraFailCreation(int device, HRESULT result) {
    if (auto* chip = Chip(device)) chip->creationResult = result;
}

int SimCameraCreatedFilters(int device) {
    auto* chip = Chip(device);
    return chip != nullptr ? chip->createdFilters.load() : 0;
}

LONG SimCameraLiveFilters() { return CSimCameraFilter::LiveCount(); }

int SimCameraCallCount(int device) {
    auto* chip = Chip(device);
    return chip != nullptr ? chip->CallCount() : 0;
}

BOOL SimCameraCall(int device, int index, SimChipCall* call) {
    auto* chip = Chip(device);
    return chip != nullptr && call != nullptr && chip->Call(index, *call);
}

void SimCameraOfferVendorInterface(int device, BOOL offered) {
    if (auto* chip = Chip(device)) chip->offersVendorInterface = offered != FALSE;
}

void SimCameraSetVendorReply(int device, int32_t value, HRESULT result) {
    if (auto* chip = Chip(device)) chip->SetVendorReply(value, result);
}

int SimCameraVendorCallCount(int device) {
    auto* chip = Chip(device);
    return chip != nullptr ? chip->VendorCallCount() : 0;
}

BOOL SimCameraVendorCall(int device, int index, SimVendorCall* call) {
    auto* chip = Chip(device);
    return chip != nullptr && call != nullptr && chip->VendorCall(index, *call);
}

}  // extern "C"
