#include "GdiplusSession.h"

#include <gdiplus.h>

namespace vimbrel::ui {

CGdiplusSession::CGdiplusSession() {
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok) token_ = token;
}

CGdiplusSession::~CGdiplusSession() {
    if (token_) Gdiplus::GdiplusShutdown(token_);
}

}  // namespace vimbrel::ui
