// GDI+ started for as long as the object lives.
#pragma once

#include <windows.h>

#include <basetsd.h>

namespace vimbrel::ui {

class CGdiplusSession {
public:
    CGdiplusSession();
    ~CGdiplusSession();
    bool Ok() const { return token_ != 0; }

    CGdiplusSession(const CGdiplusSession&) = delete;
    CGdiplusSession& operator=(const CGdiplusSession&) = delete;

private:
    ULONG_PTR token_ = 0;
};

}  // namespace vimbrel::ui
