// The rotation status library's exports (encoded names, see chipmill.h).
#pragma once

// The result of binding the camera chip (chipmill's InitialLIB).
int InitLib();
// 1 while the camera is turned: bit 0 of chip register 0x1009 is clear.
int IO_GetRotateStatus();

// Exported for the library's other importers; nothing here uses them.
class CPivotReg {
public:
    CPivotReg();
    CPivotReg& operator=(const CPivotReg& other);

private:
    int value_;
};

int fnPivotReg();
extern int nPivotReg;
