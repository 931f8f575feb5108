// The simulated camera module: two capture devices whose filters carry the
// camera chip's register and EEPROM property set, a vendor interface, and
// exported hooks through which tests set the chip up and read its call log.
//
// The devices are listed in the video input category, but each also answers
// as an analog video decoder, so the capture engine (which takes no capture
// cards) never counts or opens them. Their filters have no pins.
#pragma once

#include <windows.h>

#include <cstdint>

#define SIM_CAMERA_NAME L"Vimbrel Sim Chip Camera"
#define SIM_CAMERA2_NAME L"Vimbrel Sim Chip Camera 2"

// Devices: 0 (SIM_CAMERA_NAME) and 1 (SIM_CAMERA2_NAME).
// Banks: 0 sensor, 1 EEPROM; parameter kinds 0-6; hardware info kinds 0-1.

// One property call as the driver received it: the record is what arrived
// (for a get, before the driver answered it).
struct SimChipCall {
    int32_t property;
    int32_t isSet;
    int32_t result;  // HRESULT answered
    uint32_t instanceBytes;
    uint32_t dataBytes;
    int32_t sameBuffer;  // instance and property data were one buffer
    int32_t record[10];
};

// One call of the vendor interface's request method.
struct SimVendorCall {
    uint32_t size;
    int32_t buffer[5];  // as it arrived
};

extern "C" {

// Every device back to its first state: empty registers and memories, no
// failures, empty logs, both interfaces offered, both devices listed.
void SimCameraReset();

// Whether a device is listed in the video input category (registry).
BOOL SimCameraListDevice(int device, BOOL listed);

void SimCameraSetRegister(int device, int32_t address, int32_t value);
int32_t SimCameraRegister(int device, int32_t address);
void SimCameraSetMemoryByte(int device, int bank, int32_t address, uint8_t value);
uint8_t SimCameraMemoryByte(int device, int bank, int32_t address);
void SimCameraSetParameter(int device, int kind, int32_t index, int32_t value);
int32_t SimCameraParameter(int device, int kind, int32_t index);
void SimCameraSetHardwareInfo(int device, int kind, int32_t index, int32_t value);
void SimCameraSetFrameCounts(int device, int32_t total, int32_t errors);

// The next `times` calls (-1: every call) of a property's set or get answer
// `result` and change nothing.
void SimCameraFailProperty(int device, int property, BOOL onSet, HRESULT result, int times);
// The next `times` EEPROM writes to an address are accepted but lost.
void SimCameraDropEepromWrites(int device, int32_t address, int times);
// Whether the filter answers IKsPropertySet at all.
void SimCameraOfferPropertySet(int device, BOOL offered);
// Binding the device's moniker fails with `result` (S_OK: it works again).
void SimCameraFailCreation(int device, HRESULT result);
// Filters of a device created so far (each moniker bind makes one).
int SimCameraCreatedFilters(int device);
// Filters of both devices alive now.
LONG SimCameraLiveFilters();

int SimCameraCallCount(int device);
BOOL SimCameraCall(int device, int index, SimChipCall* call);

// The vendor interface: whether it is offered, and its answer to the
// rotation request (value into the buffer's third int, and the HRESULT).
void SimCameraOfferVendorInterface(int device, BOOL offered);
void SimCameraSetVendorReply(int device, int32_t value, HRESULT result);
int SimCameraVendorCallCount(int device);
BOOL SimCameraVendorCall(int device, int index, SimVendorCall* call);

}  // extern "C"
