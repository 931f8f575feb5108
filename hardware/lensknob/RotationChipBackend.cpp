// The rotation build: the status is a chip register bit, read through
// pivotreg and chipmill; the device is only remembered by name.
#include "ModuleBackend.h"
#include "VideoDevices.h"
#include "pivotreg.h"

#include <windows.h>

namespace lensknob {

const cameramodule::ModuleBuild kModuleBuild = cameramodule::ModuleBuild::Rotation;

bool StartModule() {
    if (InitLib() != 0) return true;
    MessageBoxW(nullptr, L"Can't Find the Device", L"Hareware Control", MB_OK);
    return false;
}

bool FindAndBindDevice(const std::wstring& friendlyName) {
    bool found = false;
    hardware::ForEachVideoDevice([&](IMoniker*, const std::wstring& name) {
        found = name == friendlyName;
        return found;
    });
    return found;
}

void DropDevice() {}

bool ReadRotateStatus(int& value) {
    value = IO_GetRotateStatus() != 0 ? 1 : 0;
    return true;
}

void ReleaseAtUnload(bool) {}

}  // namespace lensknob
