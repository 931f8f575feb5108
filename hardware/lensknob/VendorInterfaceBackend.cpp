// The vendor-interface build: the status comes from the camera driver's own
// interface on the selected capture device, which the module holds.
#include "CameraVendorControl.h"
#include "ModuleBackend.h"
#include "VideoDevices.h"

#include <wrl/client.h>

namespace lensknob {

using Microsoft::WRL::ComPtr;

const cameramodule::ModuleBuild kModuleBuild = cameramodule::ModuleBuild::VendorInterface;

const IID IID_CameraVendorControl = {0x69B8F950, 0x5AC2, 0x11D8, {0xAD, 0xAF, 0x00, 0x06, 0x5B, 0x37, 0xCF, 0x9A}};

namespace {

// Never destroyed by the runtime: at process exit the driver's module may be
// gone before this one, so only FreeLibrary releases the interface.
ComPtr<ICameraVendorControl>& Held() {
    static ComPtr<ICameraVendorControl>* held = new ComPtr<ICameraVendorControl>;
    return *held;
}

}  // namespace

bool StartModule() { return true; }

bool FindAndBindDevice(const std::wstring& friendlyName) {
    bool bound = false;
    hardware::ForEachVideoDevice([&](IMoniker* moniker, const std::wstring& name) {
        if (name != friendlyName) return false;
        Held().Reset();
        bound = SUCCEEDED(moniker->BindToObject(nullptr, nullptr, IID_CameraVendorControl,
                                                reinterpret_cast<void**>(Held().GetAddressOf()))) &&
                Held();
        return true;
    });
    if (!bound) Held().Reset();
    return bound;
}

void DropDevice() { Held().Reset(); }

bool ReadRotateStatus(int& value) {
    if (!Held()) return false;
    cameramodule::VendorBuffer buffer = cameramodule::VendorRotationRequest();
    if (FAILED(Held()->Request(cameramodule::kVendorBufferBytes, buffer.data()))) return false;
    value = cameramodule::RotationFromVendorReply(buffer);
    return true;
}

void ReleaseAtUnload(bool processTerminating) {
    if (processTerminating)
        Held().Detach();
    else
        Held().Reset();
}

}  // namespace lensknob
