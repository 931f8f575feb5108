// The main skin on a real dialog: size and outline from the pictures, the
// named areas, dragging everywhere but the clickable rectangle, controls
// painted with the background, and a skin that cannot load ending the dialog.
#include "CSkinDialog.h"

#include <gtest/gtest.h>

#include <windowsx.h>

using namespace vimbrel::ui;

namespace {

constexpr UINT kTemplate = 300;
constexpr int kLabel = 301;

class CTestSkinDialog : public CSkinDialog {
public:
    explicit CTestSkinDialog(std::wstring config = L"Config.txt")
        : CSkinDialog(kTemplate, nullptr, L"", std::move(config)) {}
    using CSkinDialog::InClickableRect;
    using CSkinDialog::SetClickableRect;
};

LRESULT HitTest(HWND hwnd, int clientX, int clientY) {
    POINT p{clientX, clientY};
    ClientToScreen(hwnd, &p);
    return SendMessageW(hwnd, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
}

TEST(SkinDialog, TakesItsSizeOutlineAndAreasFromTheSkin) {
    CTestSkinDialog dialog;
    ASSERT_TRUE(dialog.CreateModeless());
    HWND hwnd = dialog.Handle();
    RECT window{};
    GetWindowRect(hwnd, &window);
    EXPECT_EQ(window.left, 0);
    EXPECT_EQ(window.top, 0);
    EXPECT_EQ(window.right - window.left, 768);
    EXPECT_EQ(window.bottom - window.top, 511);
    const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, 0);
    EXPECT_NE(style & WS_MINIMIZEBOX, 0);

    // The mask's black corners are cut away; its body is the window.
    HRGN outline = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(hwnd, outline), ERROR);
    EXPECT_FALSE(PtInRegion(outline, 0, 0));
    EXPECT_TRUE(PtInRegion(outline, 384, 255));
    DeleteObject(outline);

    // Areas in the order the mask meets them; the preview is the FAFAFA one.
    AreaRect preview;
    ASSERT_TRUE(dialog.GetRegionRect(MakeColour(0xFA, 0xFA, 0xFA), preview));
    EXPECT_EQ(preview.x, 86);
    EXPECT_EQ(preview.y, 52);
    EXPECT_EQ(preview.width, 400);
    EXPECT_EQ(preview.height, 300);
    AreaRect panels;
    ASSERT_TRUE(dialog.GetRegionRect(MakeColour(0xD2, 0xD2, 0xD2), panels));
    EXPECT_EQ(panels.x, 139);
    EXPECT_EQ(panels.y, 432);
    AreaRect none;
    EXPECT_FALSE(dialog.GetRegionRect(MakeColour(1, 2, 3), none));
    EXPECT_EQ(dialog.AreaKeys().size(), 9u);
    dialog.Destroy();
}

TEST(SkinDialog, OnlyTheClickableRectangleIsClientArea) {
    CTestSkinDialog dialog;
    ASSERT_TRUE(dialog.CreateModeless());
    dialog.SetClickableRect(RECT{680, 30, 760, 85});
    // Strictly inside: x 681..759, y 31..84.
    EXPECT_EQ(HitTest(dialog.Handle(), 681, 31), HTCLIENT);
    EXPECT_EQ(HitTest(dialog.Handle(), 759, 84), HTCLIENT);
    EXPECT_EQ(HitTest(dialog.Handle(), 680, 50), HTCAPTION);
    EXPECT_EQ(HitTest(dialog.Handle(), 700, 85), HTCAPTION);
    EXPECT_EQ(HitTest(dialog.Handle(), 300, 200), HTCAPTION);

    // Over it the dialog holds the mouse; leaving lets go.
    SendMessageW(dialog.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(700, 50));
    EXPECT_EQ(GetCapture(), dialog.Handle());
    SendMessageW(dialog.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(100, 100));
    EXPECT_NE(GetCapture(), dialog.Handle());
    dialog.Destroy();
}

TEST(SkinDialog, ControlsArePaintedWithTheBackgroundBehindThem) {
    CTestSkinDialog dialog;
    ASSERT_TRUE(dialog.CreateModeless());
    HWND label = GetDlgItem(dialog.Handle(), kLabel);
    ASSERT_TRUE(label);
    // The label paints into a DC of its own size, as controls do.
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateCompatibleBitmap(screen, 8, 8);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, canvas);
    SetBkMode(dc, OPAQUE);
    auto brush = reinterpret_cast<HBRUSH>(SendMessageW(dialog.Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                       reinterpret_cast<LPARAM>(label)));
    ASSERT_NE(brush, nullptr);
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    RECT all{0, 0, 8, 8};
    FillRect(dc, &all, brush);

    // What it shows is the background picture as it lies under the label.
    POINT at{0, 0};
    MapWindowPoints(label, dialog.Handle(), &at, 1);
    ASSERT_GT(at.x, 0);
    CGdiplusSession gdiplus;
    auto back = CSkinSource(L"", kDialogSkinType).LoadSkinImage(L"bg.jpg");
    ASSERT_TRUE(back);
    for (POINT p : {POINT{1, 1}, POINT{6, 3}}) {
        Gdiplus::Color c;
        back->GetPixel(at.x + p.x, at.y + p.y, &c);
        EXPECT_EQ(GetPixel(dc, p.x, p.y), RGB(c.GetR(), c.GetG(), c.GetB())) << p.x << "," << p.y;
    }
    SelectObject(dc, old);
    DeleteObject(canvas);
    DeleteDC(dc);
    dialog.Destroy();
}

TEST(SkinDialog, ASkinThatCannotLoadEndsTheDialogWithMinusOne) {
    CTestSkinDialog dialog(L"NoSuchConfig.txt");
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_EQ(dialog.Handle(), nullptr);
}

}  // namespace
