// A camera module without controls. It exports only four of the seven
// functions of the module interface, so the main program never binds it;
// called directly, it reports no capabilities and refuses every control.
#include "CameraModuleRules.h"

extern "C" {

int GetCaps(int* mask) {
    if (mask == nullptr) return 0;
    *mask = cameramodule::CapabilityMask(cameramodule::ModuleBuild::Null);
    return 1;
}

int GetRange(int, int*, int*, int*, int*) { return 0; }

int Get(int, int*) { return 0; }

int Set(int, int) { return 0; }

}  // extern "C"
