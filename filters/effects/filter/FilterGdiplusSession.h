// GDI+ started for as long as an object that draws with it lives.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

namespace lenstint {

class CGdiplusSession {
public:
    CGdiplusSession() {
        Gdiplus::GdiplusStartupInput input;
        ready_ = Gdiplus::GdiplusStartup(&token_, &input, nullptr) == Gdiplus::Ok;
    }
    ~CGdiplusSession() {
        if (ready_) Gdiplus::GdiplusShutdown(token_);
    }
    CGdiplusSession(const CGdiplusSession&) = delete;
    CGdiplusSession& operator=(const CGdiplusSession&) = delete;

    bool Ready() const { return ready_; }

private:
    ULONG_PTR token_ = 0;
    bool ready_ = false;
};

}  // namespace lenstint
