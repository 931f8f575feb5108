// The main dialog's background in a real window cut by its mask, read back
// from the screen. The picture is kept as <build>/artifacts/main_dialog.png.
#include "CSkinSource.h"
#include "GdiplusSession.h"
#include "MessagePump.h"
#include "SkinConfigReader.h"
#include "SkinMask.h"
#include "SkinTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <optional>

using namespace vimbrel::ui;

namespace {

constexpr COLORREF kBackdrop = RGB(40, 120, 90);  // a colour the skin does not use
constexpr int kLeft = 116, kTop = 116;            // where the skinned window sits

LRESULT CALLBACK SkinWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) return 1;
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        auto picture = reinterpret_cast<HBITMAP>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        winowners::UniqueMemoryDC memory(CreateCompatibleDC(dc));
        if (picture && memory) {
            winowners::UniqueSelection select(memory.get(), picture);
            BITMAP info{};
            GetObjectW(picture, sizeof(info), &info);
            BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, memory.get(), 0, 0, SRCCOPY);
        }
        EndPaint(hwnd, &ps);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

struct WindowDestroyer {
    void operator()(HWND hwnd) const {
        if (hwnd) DestroyWindow(hwnd);
    }
};
using UniqueWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer>;

// The screen's pixels in a rectangle, top row first, B G R X.
std::optional<CSkinMask> CaptureScreen(int x, int y, int width, int height, winowners::UniqueBitmap& dibOut) {
    HDC screen = GetDC(nullptr);
    if (!screen) return std::nullopt;
    void* bits = nullptr;
    winowners::UniqueBitmap dib = CreateDib32(screen, width, height, &bits);
    winowners::UniqueMemoryDC memory(CreateCompatibleDC(screen));
    bool copied = false;
    if (dib && memory) {
        winowners::UniqueSelection select(memory.get(), dib.get());
        copied = BitBlt(memory.get(), 0, 0, width, height, screen, x, y, SRCCOPY) != FALSE;
        GdiFlush();
    }
    ReleaseDC(nullptr, screen);
    if (!copied) return std::nullopt;
    std::optional<CSkinMask> pixels = CSkinMask::FromHBitmap(dib.get());
    dibOut = std::move(dib);
    return pixels;
}

bool Near(Colour a, Colour b) {
    return std::abs(RedOf(a) - RedOf(b)) <= 1 && std::abs(GreenOf(a) - GreenOf(b)) <= 1 &&
           std::abs(BlueOf(a) - BlueOf(b)) <= 1;
}

}  // namespace

TEST(SkinWindow, MainDialogBackgroundWithItsRegionOnScreen) {
    CGdiplusSession gdiplus;
    ASSERT_TRUE(gdiplus.Ok());
    CSkinSource source(L"", L"ZAVU_SKIN");
    DialogSkinConfig config;
    ASSERT_TRUE(source.ReadDialogConfig(L"Config.txt", config));
    auto back = source.LoadSkinImage(config.back);
    auto map = source.LoadSkinImage(config.map);
    ASSERT_TRUE(back && map);
    const int width = int(back->GetWidth()), height = int(back->GetHeight());

    // Pixels of the mask and of the background as decoded (CSkinMask serves
    // as a plain pixel reader here).
    std::optional<CSkinMask> mask = CSkinMask::FromBitmap(*map);
    std::optional<CSkinMask> picture = CSkinMask::FromBitmap(*back);
    ASSERT_TRUE(mask && picture);

    HBITMAP backBitmap = nullptr;
    ASSERT_EQ(back->GetHBITMAP(Gdiplus::Color(0, 0, 0), &backBitmap), Gdiplus::Ok);
    winowners::UniqueBitmap ownBack(backBitmap);

    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW skinClass{};
    skinClass.lpfnWndProc = SkinWindowProc;
    skinClass.hInstance = instance;
    skinClass.lpszClassName = L"VimbrelSkinTestWindow";
    RegisterClassW(&skinClass);
    WNDCLASSW backdropClass{};
    backdropClass.lpfnWndProc = DefWindowProcW;
    backdropClass.hInstance = instance;
    backdropClass.hbrBackground = CreateSolidBrush(kBackdrop);
    backdropClass.lpszClassName = L"VimbrelSkinTestBackdrop";
    RegisterClassW(&backdropClass);

    UniqueWindow backdrop(CreateWindowExW(WS_EX_TOPMOST, L"VimbrelSkinTestBackdrop", L"", WS_POPUP | WS_VISIBLE,
                                          kLeft - 16, kTop - 16, width + 32, height + 32, nullptr, nullptr, instance,
                                          nullptr));
    UniqueWindow skin(CreateWindowExW(WS_EX_TOPMOST, L"VimbrelSkinTestWindow", L"Vimbrel skin", WS_POPUP, kLeft, kTop,
                                      width, height, nullptr, nullptr, instance, nullptr));
    ASSERT_TRUE(backdrop && skin) << "no window: is there a display?";
    SetWindowLongPtrW(skin.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(backBitmap));

    winowners::UniqueRegion shape = mask->Region(kBlack, RegionMode::OtherColour);
    ASSERT_TRUE(shape);
    winowners::UniqueRegion expected(CreateRectRgn(0, 0, 0, 0));
    CombineRgn(expected.get(), shape.get(), nullptr, RGN_COPY);
    ASSERT_TRUE(SetWindowRgn(skin.get(), shape.release(), TRUE));  // the window owns it now
    ShowWindow(skin.get(), SW_SHOWNA);

    winowners::UniqueRegion applied(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(skin.get(), applied.get()), ERROR);
    EXPECT_TRUE(EqualRgn(applied.get(), expected.get()));

    // Other tests may open windows on the same display: look again a few
    // times before calling a difference a failure.
    int wrongInside = 0, wrongOutside = 0;
    winowners::UniqueBitmap shot;
    for (int attempt = 0; attempt < 3; ++attempt) {
        SetWindowPos(backdrop.get(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        SetWindowPos(skin.get(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        RedrawWindow(backdrop.get(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        RedrawWindow(skin.get(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        testbench::PumpFor(300 + attempt * 500);

        std::optional<CSkinMask> screen = CaptureScreen(kLeft, kTop, width, height, shot);
        ASSERT_TRUE(screen) << "cannot read the screen";
        wrongInside = wrongOutside = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if (mask->At(x, y) == kBlack) {
                    if (screen->At(x, y) != kBackdrop) ++wrongOutside;
                } else if (!Near(screen->At(x, y), picture->At(x, y))) {
                    ++wrongInside;
                }
            }
        }
        if (wrongInside == 0 && wrongOutside == 0) break;
    }
    EXPECT_EQ(wrongInside, 0) << "pixels inside the region that do not show the background";
    EXPECT_EQ(wrongOutside, 0) << "corner pixels cut off by the mask that still show the window";

    std::wstring artifacts = ProgramFolder() + L"\\..\\artifacts";
    CreateDirectoryW(artifacts.c_str(), nullptr);
    Gdiplus::Bitmap saved(shot.get(), nullptr);
    EXPECT_TRUE(skintest::SaveAsPng(saved, (artifacts + L"\\main_dialog.png").c_str()));

    skin.reset();
    backdrop.reset();
    DeleteObject(backdropClass.hbrBackground);
}
