// What differs between the module's two builds: how it starts, what it
// binds of the selected device, and where the rotation status comes from.
// The exports (lensknob.cpp) call these with the module lock held, except
// StartModule, which may show a message box.
#pragma once

#include "CameraModuleRules.h"

#include <string>

namespace lensknob {

extern const cameramodule::ModuleBuild kModuleBuild;

// Initialize.
bool StartModule();

// Looks for the video input device of exactly this friendly name and binds
// what the build needs of it; true when found and bound.
bool FindAndBindDevice(const std::wstring& friendlyName);

// The selection became empty: let go of anything bound.
void DropDevice();

// The rotation status of the selected device; false when it cannot be read.
bool ReadRotateStatus(int& value);

// At FreeLibrary (false) or process exit (true).
void ReleaseAtUnload(bool processTerminating);

}  // namespace lensknob
