#include "CModePicture.h"
#include "winowners/GdiOwners.h"

#include "ProgramPicture.h"
#include "ProgramPictures.h"

namespace vimbrel::ui {

bool CModePicture::Create(HWND parent, const RECT& rect) {
    if (Handle()) return false;
    const wchar_t* cls = framework::RegisterAnonymousClass(CS_DBLCLKS);
    if (!cls || !framework::CWindow::Create(0, cls, nullptr, WS_CHILD | WS_VISIBLE, rect, parent, 0)) return false;
    width_ = rect.right - rect.left;
    height_ = rect.bottom - rect.top;
    if (const auto window = winowners::GetDCOwner(Handle())) {
        memory_.Make(window.get(), width_, height_);
    }
    if (!memory_) {
        Destroy();
        return false;
    }
    shown_ = -1;
    ShowMode(0);
    return true;
}

int CModePicture::ShowMode(int mode) {
    const std::string name = ModePictureName(mode);
    if (name.empty()) return 0;
    if (mode == shown_) return 1;
    if (!memory_) return 0;
    auto picture = LoadProgramPicture(name);
    if (!picture) return 0;
    {
        Gdiplus::Graphics graphics(memory_.Dc());
        if (graphics.DrawImage(picture.get(), 0, 0, static_cast<INT>(picture->GetWidth()),
                               static_cast<INT>(picture->GetHeight())) != Gdiplus::Ok)
            return 0;
    }
    // Recorded only once it is drawn: a mode recorded for a picture that
    // never arrived would make every later request for it a no-op.
    shown_ = mode;
    if (const auto window = winowners::GetDCOwner(Handle())) {
        memory_.CopyTo(window.get(), RECT{0, 0, width_, height_});
    }
    return 1;
}

LRESULT CModePicture::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint{};
        if (HDC dc = BeginPaint(Handle(), &paint)) {
            memory_.CopyTo(dc, paint.rcPaint);
            EndPaint(Handle(), &paint);
        }
        return 0;
    }
    return framework::CWindow::WindowProc(message, wParam, lParam);
}

}  // namespace vimbrel::ui
