// The camera module interface: seven plain exports, 1 for success and 0 for
// failure. The module offers one control, the rotation status (16).
//
// The main program reads the status from its poll thread while its user-
// interface thread may select another device, so the selection and whatever
// the build binds of the device are kept under one lock.
#include "ModuleBackend.h"
#include "CallGuard.h"

#include <windows.h>

#include <mutex>

namespace {

using cameramodule::DeviceSelection;

std::mutex& ModuleLock() {
    static std::mutex* lock = new std::mutex;
    return *lock;
}

DeviceSelection& Selection() {
    static DeviceSelection* selection = new DeviceSelection;
    return *selection;
}

}  // namespace

extern "C" {

int Initialize() {
    return boundary::GuardedValue(0, [] { return lensknob::StartModule() ? 1 : 0; });
}

int Uninitialize() { return 1; }

int SetCameraDevice(const wchar_t* friendlyName) {
    return boundary::GuardedValue(0, [&] {
        std::lock_guard<std::mutex> hold(ModuleLock());
        const bool selected = Selection().Select(
            reinterpret_cast<const char16_t*>(friendlyName), [](const std::u16string& name) {
                return lensknob::FindAndBindDevice(std::wstring(name.begin(), name.end()));
            });
        if (!Selection().HasDevice()) lensknob::DropDevice();
        return selected ? 1 : 0;
    });
}

int GetCaps(int* mask) {
    return boundary::GuardedValue(0, [&] {
        std::lock_guard<std::mutex> hold(ModuleLock());
        if (mask == nullptr || !Selection().HasDevice()) return 0;
        *mask = cameramodule::CapabilityMask(lensknob::kModuleBuild);
        return 1;
    });
}

int GetRange(int control, int* minimum, int* maximum, int* step, int* defaultValue) {
    return boundary::GuardedValue(0, [&] {
        std::lock_guard<std::mutex> hold(ModuleLock());
        if (!Selection().HasDevice() || minimum == nullptr || maximum == nullptr || step == nullptr ||
            defaultValue == nullptr)
            return 0;
        const std::optional<cameramodule::ControlRange> range = cameramodule::RangeOf(lensknob::kModuleBuild, control);
        if (!range) return 0;
        *minimum = range->minimum;
        *maximum = range->maximum;
        *step = range->step;
        *defaultValue = range->defaultValue;
        return 1;
    });
}

int Get(int control, int* value) {
    return boundary::GuardedValue(0, [&] {
        std::lock_guard<std::mutex> hold(ModuleLock());
        if (value == nullptr || !Selection().HasDevice() || control != cameramodule::kRotateStatus) return 0;
        int status = 0;
        if (!lensknob::ReadRotateStatus(status)) return 0;
        *value = status;
        return 1;
    });
}

int Set(int, int) {
    return 0;  // the rotation status is read-only, and there is no other control
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_DETACH) lensknob::ReleaseAtUnload(reserved != nullptr);
    return TRUE;
}

}  // extern "C"
