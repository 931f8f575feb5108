// The mode picture, the splash and the about box in real windows: which
// picture is on show, where the windows sit, what the splash passes on,
// and the version line the about box draws from the registry.
#include "CAboutDialog.h"
#include "CModePicture.h"
#include "CSplashWindow.h"
#include "GdiplusSession.h"
#include "InstalledVersion.h"
#include "MainWindowMessages.h"
#include "ProgramPicture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

using namespace vimbrel::ui;

namespace {

COLORREF PicturePixel(const char* name, int x, int y) {
    auto image = LoadProgramPicture(name);
    EXPECT_TRUE(image) << name;
    if (!image) return CLR_INVALID;
    Gdiplus::Color c;
    image->GetPixel(x, y, &c);
    return RGB(c.GetR(), c.GetG(), c.GetB());
}

bool Near(COLORREF a, COLORREF b, int tolerance = 6) {
    return a != CLR_INVALID && b != CLR_INVALID &&
           std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
                   std::abs(GetBValue(a) - GetBValue(b)) <=
               tolerance;
}

HWND MakeHost() {
    return CreateWindowExW(0, L"STATIC", L"host", WS_POPUP | WS_VISIBLE, 20, 20, 120, 340, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

// A picture of w x h pixels that a window prints itself into.
struct CPrinted {
    CPrinted(int w, int h) : width(w), height(h), pixels(size_t(w) * h) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        dc.reset(CreateCompatibleDC(nullptr));
        bitmap.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        bits_ = static_cast<uint32_t*>(bits);
        old = SelectObject(dc.get(), bitmap.get());
        RECT all{0, 0, w, h};
        FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    ~CPrinted() { SelectObject(dc.get(), old); }
    COLORREF At(int x, int y) const {
        GdiFlush();
        const uint32_t p = bits_[size_t(y) * width + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    int width, height;
    std::vector<uint32_t> pixels;
    winowners::UniqueMemoryDC dc;
    winowners::UniqueBitmap bitmap;
    HGDIOBJ old = nullptr;
    uint32_t* bits_ = nullptr;
};

// Sets (or removes) the installed version for one test and puts the old
// state back afterwards.
class CInstalledVersion {
public:
    explicit CInstalledVersion(std::optional<DWORD> value) {
        saved_ = ReadInstalledVersion();
        Write(value);
    }
    ~CInstalledVersion() { Write(saved_); }

private:
    static void Write(std::optional<uint32_t> value) {
        if (!value) {
            RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kVersionKeyPath, KEY_WOW64_32KEY, 0);
            return;
        }
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kVersionKeyPath, 0, nullptr, 0, KEY_WRITE | KEY_WOW64_32KEY, nullptr,
                            &key, nullptr) != ERROR_SUCCESS)
            return;
        DWORD v = *value;
        RegSetValueExW(key, kVersionValueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), sizeof v);
        RegCloseKey(key);
    }
    std::optional<uint32_t> saved_;
};

class PictureWindowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gdiplus_.Ok());
        host_ = MakeHost();
        ASSERT_TRUE(host_);
    }
    void TearDown() override { DestroyWindow(host_); }

    CGdiplusSession gdiplus_;
    HWND host_ = nullptr;
};

}  // namespace

// ---------------------------------------------------------------- mode picture

TEST_F(PictureWindowsTest, ModePictureShowsEachModesPictureOnce) {
    CModePicture picture;
    ASSERT_TRUE(picture.Create(host_, RECT{0, 0, 67, 298}));
    EXPECT_EQ(GetWindowLongW(picture.Handle(), GWL_STYLE) & (WS_CHILD | WS_VISIBLE), WS_CHILD | WS_VISIBLE);
    EXPECT_EQ(GetDlgCtrlID(picture.Handle()), 0);
    EXPECT_EQ(picture.ShownMode(), 0);
    // The pictures differ at (33, 250), so the probe tells them apart.
    ASSERT_FALSE(Near(PicturePixel("MODE0.JPG", 33, 250), PicturePixel("MODE3.JPG", 33, 250), 30));
    EXPECT_TRUE(Near(GetPixel(picture.Picture(), 33, 250), PicturePixel("MODE0.JPG", 33, 250)));

    EXPECT_EQ(picture.ShowMode(3), 1);
    EXPECT_TRUE(Near(GetPixel(picture.Picture(), 33, 250), PicturePixel("MODE3.JPG", 33, 250)));
    EXPECT_TRUE(Near(GetPixel(picture.Picture(), 66, 297), PicturePixel("MODE3.JPG", 66, 297)));

    // The same mode again draws nothing: a mark on the bitmap survives.
    SetPixel(picture.Picture(), 5, 5, RGB(1, 2, 3));
    EXPECT_EQ(picture.ShowMode(3), 1);
    EXPECT_EQ(GetPixel(picture.Picture(), 5, 5), RGB(1, 2, 3));

    EXPECT_EQ(picture.ShowMode(6), 0);
    EXPECT_EQ(picture.ShowMode(-1), 0);
    EXPECT_EQ(picture.ShownMode(), 3);
    EXPECT_EQ(GetPixel(picture.Picture(), 5, 5), RGB(1, 2, 3));
    EXPECT_EQ(picture.ShowMode(5), 1);
    EXPECT_TRUE(Near(GetPixel(picture.Picture(), 5, 5), PicturePixel("MODE5.JPG", 5, 5)));
}

// ---------------------------------------------------------------- splash

namespace {
struct CMessageLog {
    static std::vector<std::pair<WPARAM, LPARAM>> seen;
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_SHOW_MAIN_WINDOW) seen.emplace_back(wParam, lParam);
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
};
std::vector<std::pair<WPARAM, LPARAM>> CMessageLog::seen;
}  // namespace

TEST_F(PictureWindowsTest, SplashSitsCentredAndPassesTheShowMessageToItsOwner) {
    WNDCLASSW cls{};
    cls.lpfnWndProc = &CMessageLog::Proc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = L"SplashOwnerForTests";
    RegisterClassW(&cls);
    HWND owner = CreateWindowExW(0, cls.lpszClassName, L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 cls.hInstance, nullptr);
    ASSERT_TRUE(owner);
    CMessageLog::seen.clear();
    {
        CSplashWindow splash;
        ASSERT_TRUE(splash.Create(owner));
        EXPECT_EQ(splash.Width(), 500);
        EXPECT_EQ(splash.Height(), 300);
        EXPECT_TRUE(IsWindowVisible(splash.Handle()));
        EXPECT_EQ(GetWindow(splash.Handle(), GW_OWNER), owner);
        EXPECT_TRUE(GetWindowLongW(splash.Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
        EXPECT_TRUE(GetWindowLongW(splash.Handle(), GWL_STYLE) & WS_POPUP);
        RECT r{};
        GetWindowRect(splash.Handle(), &r);
        const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
        EXPECT_EQ(r.left, (sw - 500) / 2);
        EXPECT_EQ(r.top, (sh - 300) / 2);
        EXPECT_EQ(r.right - r.left, 500);
        EXPECT_EQ(r.bottom - r.top, 300);
        if (sw == 1024 && sh == 768) {
            EXPECT_EQ(r.left, 262);
            EXPECT_EQ(r.top, 234);
        }

        CPrinted printed(500, 300);
        SendMessageW(splash.Handle(), WM_PRINT, reinterpret_cast<WPARAM>(printed.dc.get()), PRF_CLIENT);
        for (POINT p : {POINT{0, 0}, POINT{110, 150}, POINT{499, 299}, POINT{250, 297}})
            EXPECT_TRUE(Near(printed.At(p.x, p.y), PicturePixel("about.jpg", p.x, p.y))) << p.x << "," << p.y;

        SendMessageW(splash.Handle(), WM_SHOW_MAIN_WINDOW, 0, 77);
        EXPECT_FALSE(IsWindowVisible(splash.Handle()));
        SendMessageW(splash.Handle(), WM_SHOW_MAIN_WINDOW, 1, 78);
        EXPECT_TRUE(IsWindowVisible(splash.Handle()));
        EXPECT_EQ(CMessageLog::seen, (std::vector<std::pair<WPARAM, LPARAM>>{{0, 77}, {1, 78}}));

        // The main dialog's way of closing it.
        SendMessageW(splash.Handle(), WM_CLOSE, 0, 0);
        EXPECT_EQ(splash.Handle(), nullptr);
    }
    DestroyWindow(owner);
}

// ---------------------------------------------------------------- about box

namespace {

// Records what the box shows once it is up, then clicks it.
class CClickedAbout : public CAboutDialog {
public:
    using CAboutDialog::CAboutDialog;
    RECT placed{};
    bool visibleInTemplate = true;
    std::unique_ptr<CPrinted> printed;
    std::wstring line;

protected:
    BOOL OnInitDialog() override {
        visibleInTemplate = (GetWindowLongW(Handle(), GWL_STYLE) & WS_VISIBLE) != 0;
        BOOL result = CAboutDialog::OnInitDialog();
        GetWindowRect(Handle(), &placed);
        line = VersionLine();
        printed = std::make_unique<CPrinted>(500, 300);
        SendMessageW(Handle(), WM_PRINT, reinterpret_cast<WPARAM>(printed->dc.get()), PRF_CLIENT);
        PostMessageW(Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(250, 150));
        return result;
    }
};

// The version line as the box must draw it: "Arial" 8 points, colour
// EDEBEE, near alignment, in (398, 128, 150, 15) of the picture.
std::unique_ptr<CPrinted> Expected(const std::wstring& line) {
    auto expected = std::make_unique<CPrinted>(500, 300);
    auto picture = LoadProgramPicture("about.jpg");
    if (!picture) return expected;
    Gdiplus::Graphics graphics(expected->dc.get());
    graphics.DrawImage(picture.get(), 0, 0, 500, 300);
    Gdiplus::FontFamily arial(L"Arial");
    Gdiplus::Font font(&arial, 8, Gdiplus::FontStyleRegular, Gdiplus::UnitPoint);
    Gdiplus::SolidBrush brush{Gdiplus::Color(0xFF, 0xED, 0xEB, 0xEE)};
    Gdiplus::StringFormat format;
    graphics.DrawString(line.c_str(), static_cast<INT>(line.size()), &font, Gdiplus::RectF(398, 128, 150, 15), &format,
                        &brush);
    return expected;
}

struct Difference {
    int pixels = 0;
    int outsideBox = 0;
};
Difference Compare(const CPrinted& a, const CPrinted& b) {
    Difference d;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 500; ++x)
            if (!Near(a.At(x, y), b.At(x, y), 12)) {
                ++d.pixels;
                if (x < 398 || y < 128 || y >= 143) ++d.outsideBox;
            }
    return d;
}

}  // namespace

TEST_F(PictureWindowsTest, AboutBoxDrawsTheInstalledVersionAndClosesOnAClick) {
    ASSERT_TRUE(Gdiplus::FontFamily(L"Arial").IsAvailable()) << "the prefix maps Arial to an installed face";
    CInstalledVersion installed(0x01000005);
    CClickedAbout about(L"Version", host_);
    EXPECT_EQ(about.DoModal(), 0);
    EXPECT_EQ(about.Handle(), nullptr);
    EXPECT_FALSE(about.visibleInTemplate);
    EXPECT_EQ(about.line, L"Version 1.0.5");

    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(about.placed.left, (sw - 500) / 2);
    EXPECT_EQ(about.placed.top, (sh - 300) / 2);
    EXPECT_EQ(about.placed.right - about.placed.left, 500);
    EXPECT_EQ(about.placed.bottom - about.placed.top, 300);

    ASSERT_TRUE(about.printed);
    // Exactly the expected line; and that line is not the bare picture.
    auto expected = Expected(L"Version 1.0.5");
    Difference fromExpected = Compare(*about.printed, *expected);
    EXPECT_EQ(fromExpected.pixels, 0);
    Difference fromBare = Compare(*about.printed, *Expected(L""));
    EXPECT_GT(fromBare.pixels, 20);
    EXPECT_EQ(fromBare.outsideBox, 0);
    // A different version would have shown.
    EXPECT_GT(Compare(*about.printed, *Expected(L"Version 1.0.6")).pixels, 0);
}

TEST_F(PictureWindowsTest, AboutBoxWithoutTheVersionKeyShowsTheLabelAndABlank) {
    CInstalledVersion installed(std::nullopt);
    EXPECT_FALSE(ReadInstalledVersion());
    CClickedAbout about(L"Version", host_);
    EXPECT_EQ(about.DoModal(), 0);
    EXPECT_EQ(about.line, L"Version ");
    ASSERT_TRUE(about.printed);
    EXPECT_EQ(Compare(*about.printed, *Expected(L"Version ")).pixels, 0);
}

TEST_F(PictureWindowsTest, InstalledVersionMustBeFourBytes) {
    CInstalledVersion installed(0x01020123);
    EXPECT_EQ(ReadInstalledVersion(), std::optional<uint32_t>(0x01020123));
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kVersionKeyPath, 0, KEY_WRITE | KEY_WOW64_32KEY, &key), ERROR_SUCCESS);
    const BYTE eight[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    RegSetValueExW(key, kVersionValueName, 0, REG_BINARY, eight, sizeof eight);
    EXPECT_FALSE(ReadInstalledVersion());
    const wchar_t text[] = L"7";  // four bytes, but text
    RegSetValueExW(key, kVersionValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof text);
    EXPECT_FALSE(ReadInstalledVersion());
    RegCloseKey(key);
}
