#include "CAboutDialog.h"

#include "InstalledVersion.h"
#include "ProgramPicture.h"
#include "ProgramPictures.h"
#include "WideText.h"

namespace vimbrel::ui {

constexpr DWORD kFadeMs = 500;

CAboutDialog::CAboutDialog(std::wstring versionLabel, HWND parent, HINSTANCE module)
    : framework::CDialog(IDD_ABOUTBOX, parent, module), label_(std::move(versionLabel)) {}

CAboutDialog::~CAboutDialog() {
    Destroy();
    Release();
}

void CAboutDialog::Release() {
    if (memory_ && old_) SelectObject(memory_.get(), old_);
    old_ = nullptr;
    memory_.reset();
    bitmap_.reset();
}

BOOL CAboutDialog::OnInitDialog() {
    framework::CDialog::OnInitDialog();
    auto picture = gdiplus_.Ok() ? LoadProgramPicture(kAboutPictureName) : nullptr;
    if (picture) {
        bitmap_ = PictureBitmap(*picture, 0xFF000000);
        width_ = static_cast<int>(picture->GetWidth());
        height_ = static_cast<int>(picture->GetHeight());
        const PictureRect at =
            CentredOnScreen(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), width_, height_);
        SetWindowPos(Handle(), nullptr, at.left, at.top, width_, height_, SWP_NOZORDER | SWP_NOACTIVATE);
        memory_.reset(CreateCompatibleDC(nullptr));
        if (memory_ && bitmap_) {
            old_ = SelectObject(memory_.get(), bitmap_.get());
            textDrawn_ = DrawVersionLine();
        }
    }
    AnimateWindow(Handle(), kFadeMs, AW_BLEND | AW_ACTIVATE);
    return TRUE;
}

bool CAboutDialog::DrawVersionLine() {
    const std::u16string line = AboutVersionLine(AsU16(label_.c_str()), ReadInstalledVersion());
    line_.assign(line.begin(), line.end());
    auto family = ChooseFontFamily(L"Arial");
    if (!family) return false;
    Gdiplus::Font font(family.get(), kAboutFontPoints, Gdiplus::FontStyleRegular, Gdiplus::UnitPoint);
    if (font.GetLastStatus() != Gdiplus::Ok) return false;
    Gdiplus::Graphics graphics(memory_.get());
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
            if (memory_) BitBlt(dc, 0, 0, width_, height_, memory_.get(), 0, 0, SRCCOPY);
            EndPaint(Handle(), &paint);
        }
        return 0;
    }
    case WM_PRINT:
        if (memory_ && wParam) BitBlt(reinterpret_cast<HDC>(wParam), 0, 0, width_, height_, memory_.get(), 0, 0, SRCCOPY);
        return 0;
    case WM_LBUTTONDOWN:
        AnimateWindow(Handle(), kFadeMs, AW_BLEND | AW_HIDE);
        Release();
        EndDialog(0);
        return 0;
    default:
        break;
    }
    return framework::CDialog::WindowProc(message, wParam, lParam);
}

}  // namespace vimbrel::ui
