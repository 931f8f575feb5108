// The rotation status library: binds the camera chip through chipmill and
// turns one register bit into the status the rotation camera module reports.
#include "pivotreg.h"

#include "CameraModuleRules.h"
#include "chipmill.h"

int InitLib() { return InitialLIB(); }

int IO_GetRotateStatus() {
    // The read's result is not consulted: with no chip bound, or a read that
    // fails, the value stays 0 and the camera counts as turned, which is what
    // the rotation module has always reported in that case.
    long value = 0;
    ReadAsic(cameramodule::kRotationRegister, &value);
    return cameramodule::RotationFromRegister(static_cast<int32_t>(value));
}

CPivotReg::CPivotReg() : value_(0) {}

CPivotReg& CPivotReg::operator=(const CPivotReg& other) {
    value_ = other.value_;
    return *this;
}

int fnPivotReg() { return 42; }

int nPivotReg = 0;
