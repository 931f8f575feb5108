#include "CAboutDialog.h"

#include "InstalledVersion.h"
#include "ProgramPicture.h"
#include "ProgramPictures.h"
#include "SkinFont.h"
#include "WideText.h"

namespace vimbrel::ui {

constexpr DWORD kFadeMs = 500;

CAboutDialog::CAboutDialog(std::wstring versionLabel, HWND parent, HINSTANCE module)
    : framework::CDialog(IDD_ABOUTBOX, parent, module), label_(std::move(versionLabel)) {}

BOOL CAboutDialog::OnInitDialog() {
    framework::CDialog::OnInitDialog();
    auto picture = gdiplus_.Ok() ? LoadProgramPicture(kAboutPictureName) : nullptr;
    if (picture) {
        width_ = static_cast<int>(picture->GetWidth());
        height_ = static_cast<int>(picture->GetHeight());
        const PictureRect at = CentredOnScreen(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), width_,
                                               height_);
        SetWindowPos(Handle(), nullptr, at.left, at.top, width_, height_, SWP_NOZORDER | SWP_NOACTIVATE);
        if (memory_.Hold(nullptr, PictureBitmap(*picture, 0xFF000000))) textDrawn_ = DrawVersionLine();
    }
    AnimateWindow(Handle(), kFadeMs, AW_BLEND | AW_ACTIVATE);
    return TRUE;
}

bool CAboutDialog::DrawVersionLine() {
    const std::u16string line = AboutVersionLine(ViewAsU16(label_.c_str()), ReadInstalledVersion());
    line_.assign(line.begin(), line.end());
    auto family = ChooseFontFamily(L"Arial");
    if (!family) return false;
    Gdiplus::Font font(family.get(), kAboutFontPoints, Gdiplus::FontStyleRegular, Gdiplus::UnitPoint);
    if (font.GetLastStatus() != Gdiplus::Ok) return false;
    Gdiplus::Graphics graphics(memory_.Dc());
    Gdiplus::StringFormat format;
    format.SetAlignment(Gdiplus::StringAlignmentNear);
    Gdiplus::SolidBrush brush{Gdiplus::Color(kAboutVersionColour)};
    const Gdiplus::RectF box(kAboutVersionBox.x, kAboutVersionBox.y, kAboutVersionBox.width, kAboutVersionBox.height);
    return graphics.DrawString(line_.c_str(), static_cast<INT>(line_.size()), &font, box, &format, &brush) ==
           Gdiplus::Ok;
}

LRESULT CAboutDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        if (HDC dc = BeginPaint(Handle(), &paint)) {
            memory_.CopyTo(dc, RECT{0, 0, width_, height_});
            EndPaint(Handle(), &paint);
        }
        return 0;
    }
    case WM_PRINT: memory_.CopyTo(reinterpret_cast<HDC>(wParam), RECT{0, 0, width_, height_}); return 0;
    case WM_LBUTTONDOWN:
        AnimateWindow(Handle(), kFadeMs, AW_BLEND | AW_HIDE);
        memory_.Release();
        EndDialog(0);
        return 0;
    default: break;
    }
    return framework::CDialog::WindowProc(message, wParam, lParam);
}

}  // namespace vimbrel::ui
