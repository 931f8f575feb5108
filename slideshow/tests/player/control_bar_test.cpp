// The player's control bar in a real window, owned by a plain window that
// records what the bar sends it: where it sits, its alpha, its tooltips,
// presses and releases, the play/pause toggle, the keys it passes on, and
// the configuration read that leaves the current directory alone.
#include "CPlayerControlBar.h"

#include "BarButtons.h"
#include "DrawingSupport.h"
#include "MessagePump.h"
#include "PanelMessages.h"
#include "PlayerMessages.h"

#include <gtest/gtest.h>

#include <vector>

using namespace slideshow;

namespace {

struct Received {
    UINT message;
    WPARAM wParam;
};
std::vector<Received> g_received;

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PLAYER_COMMAND || message == WM_KEYDOWN) g_received.push_back({message, wParam});
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND MakeOwner() {
    WNDCLASSW cls{};
    cls.lpfnWndProc = OwnerProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = L"PlayerBarTestOwner";
    RegisterClassW(&cls);
    return CreateWindowExW(0, L"PlayerBarTestOwner", L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

std::wstring CurrentDirectory() {
    wchar_t buffer[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, buffer);
    return buffer;
}

class PlayerBar : public ::testing::Test {
protected:
    void SetUp() override {
        g_received.clear();
        owner = MakeOwner();
        ASSERT_NE(nullptr, owner);
        ASSERT_TRUE(bar.Create(owner, 100, 100, L"", L"control"));
        testbench::PumpWaiting();
        g_received.clear();
    }
    void TearDown() override {
        bar.Destroy();
        if (owner) DestroyWindow(owner);
    }
    POINT Centre(vimbrel::ui::Colour key) {
        for (size_t i = 0; i < bar.ButtonCount(); ++i) {
            if (bar.ButtonKey(i) != key) continue;
            const RECT box = bar.ButtonBounds(i);
            return POINT{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
        }
        ADD_FAILURE() << "no button " << std::hex << key;
        return POINT{-1, -1};
    }
    void Click(POINT down, POINT up) {
        SendMessageW(bar.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(down.x, down.y));
        SendMessageW(bar.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(up.x, up.y));
        testbench::PumpWaiting();
    }
    std::vector<WPARAM> Commands() const {
        std::vector<WPARAM> commands;
        for (const Received& r : g_received)
            if (r.message == WM_PLAYER_COMMAND) commands.push_back(r.wParam);
        return commands;
    }

    HWND owner = nullptr;
    CPlayerControlBar bar;
};

}  // namespace

TEST_F(PlayerBar, FloatsHiddenAtTheBottomCentreAsALayeredTopmostToolWindow) {
    EXPECT_FALSE(IsWindowVisible(bar.Handle()));
    EXPECT_EQ(owner, GetWindow(bar.Handle(), GW_OWNER));
    const LONG_PTR exStyle = GetWindowLongPtrW(bar.Handle(), GWL_EXSTYLE);
    EXPECT_EQ(static_cast<LONG_PTR>(0x80088), exStyle & 0x80088);
    EXPECT_EQ(0, GetWindowLongPtrW(bar.Handle(), GWL_STYLE) & WS_CHILD);
    RECT rect{};
    GetWindowRect(bar.Handle(), &rect);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ((screenWidth - bar.Width()) / 2, rect.left);
    EXPECT_EQ(screenHeight - bar.Height(), rect.top);
    EXPECT_EQ(bar.Width(), rect.right - rect.left);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(bar.Handle(), nullptr, &alpha, &flags));
    EXPECT_EQ(179, alpha);
    EXPECT_TRUE(flags & LWA_ALPHA);
    // Seven buttons, all enabled; no slider is made.
    EXPECT_EQ(7u, bar.ButtonCount());
    for (auto key :
         {kBarFirstKey, kBarPreviousKey, kBarNextKey, kBarLastKey, kBarPlayPauseKey, kBarSwitchEffectKey, kBarExitKey})
        EXPECT_TRUE(bar.ButtonEnabled(key)) << std::hex << key;
}

TEST_F(PlayerBar, TooltipsComeFromTheStringTableWithIdsFromOne) {
    EXPECT_EQ(L"Go to first image", bar.ToolText(kBarFirstKey));
    EXPECT_EQ(L"Previous Image", bar.ToolText(kBarPreviousKey));
    EXPECT_EQ(L"Next Image", bar.ToolText(kBarNextKey));
    EXPECT_EQ(L"Go to Last Image", bar.ToolText(kBarLastKey));
    EXPECT_EQ(L"Start Slide Show", bar.ToolText(kBarPlayPauseKey));
    EXPECT_EQ(L"Switch Effect", bar.ToolText(kBarSwitchEffectKey));
    EXPECT_EQ(L"Exit", bar.ToolText(kBarExitKey));
    // The tool of the first button in the mask carries id 1.
    EXPECT_FALSE(vimbrel::ui::SkinToolText(bar.Tooltip(), bar.Handle(), 1).empty());
    EXPECT_TRUE(vimbrel::ui::SkinToolText(bar.Tooltip(), bar.Handle(), 123).empty());
}

TEST_F(PlayerBar, ReleaseOverAButtonPostsItsCommandAndNothingElseDoes) {
    // A press alone posts nothing.
    const POINT next = Centre(kBarNextKey);
    SendMessageW(bar.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(next.x, next.y));
    testbench::PumpWaiting();
    EXPECT_TRUE(Commands().empty());
    // Released outside every button: still nothing.
    SendMessageW(bar.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
    testbench::PumpWaiting();
    EXPECT_TRUE(Commands().empty());

    Click(Centre(kBarFirstKey), Centre(kBarFirstKey));
    Click(Centre(kBarLastKey), Centre(kBarLastKey));
    Click(Centre(kBarSwitchEffectKey), Centre(kBarSwitchEffectKey));
    Click(Centre(kBarExitKey), Centre(kBarExitKey));
    EXPECT_EQ((std::vector<WPARAM>{0, 3, 5, 6}), Commands());

    // A disabled button posts nothing.
    g_received.clear();
    bar.EnableButton(kBarPreviousKey, false);
    EXPECT_FALSE(bar.ButtonEnabled(kBarPreviousKey));
    Click(Centre(kBarPreviousKey), Centre(kBarPreviousKey));
    EXPECT_TRUE(Commands().empty());
}

TEST_F(PlayerBar, PlayPauseFlipsOnReleaseWithItsTooltip) {
    bar.SetButtonState(kBarPlayPauseKey, 2, true);  // the player starts playing
    EXPECT_EQ(2, bar.ButtonState(kBarPlayPauseKey));
    EXPECT_EQ(L"Pause", bar.ToolText(kBarPlayPauseKey));

    const POINT button = Centre(kBarPlayPauseKey);
    Click(button, button);
    EXPECT_EQ(1, bar.ButtonState(kBarPlayPauseKey));
    EXPECT_EQ(L"Start Slide Show", bar.ToolText(kBarPlayPauseKey));
    Click(button, button);
    EXPECT_EQ(2, bar.ButtonState(kBarPlayPauseKey));
    EXPECT_EQ(L"Pause", bar.ToolText(kBarPlayPauseKey));
    EXPECT_EQ((std::vector<WPARAM>{4, 4}), Commands());
}

TEST_F(PlayerBar, PassesThePlayersKeysOnAndIgnoresThePanelMessages) {
    for (int key : {VK_ESCAPE, VK_SPACE, VK_PRIOR, VK_NEXT, VK_END, VK_HOME, int{'A'}, VK_LEFT})
        SendMessageW(bar.Handle(), WM_KEYDOWN, static_cast<WPARAM>(key), 0);
    std::vector<WPARAM> keys;
    for (const Received& r : g_received)
        if (r.message == WM_KEYDOWN) keys.push_back(r.wParam);
    EXPECT_EQ((std::vector<WPARAM>{27, 32, 33, 34, 35, 36}), keys);

    // The main program's panel messages change nothing here.
    SendMessageW(bar.Handle(), vimbrel::ui::WM_PANEL_ENABLE_BUTTON, kBarFirstKey, 0);
    SendMessageW(bar.Handle(), vimbrel::ui::WM_PANEL_DISABLE_ALL, 0, 0);
    SendMessageW(bar.Handle(), vimbrel::ui::WM_PANEL_SET_TOGGLE, kBarPlayPauseKey, 1);
    EXPECT_TRUE(bar.ButtonEnabled(kBarFirstKey));
    EXPECT_EQ(1, bar.ButtonState(kBarPlayPauseKey));
}

TEST_F(PlayerBar, PrintCopiesTheComposedFace) {
    auto target = slideshow::CDibBuffer::Create(nullptr, bar.Width(), bar.Height());
    ASSERT_TRUE(target);
    slidetest::Paint(*target, 0xFF00FF);
    EXPECT_EQ(0, SendMessageW(bar.Handle(), WM_PRINT, reinterpret_cast<WPARAM>(target->Dc()), PRF_CLIENT));
    const POINT centre = Centre(kBarExitKey);
    const COLORREF face = GetPixel(bar.Picture(), centre.x, centre.y);
    const unsigned faceRgb = (unsigned{GetRValue(face)} << 16) | (unsigned{GetGValue(face)} << 8) | GetBValue(face);
    EXPECT_EQ(faceRgb, slidetest::PixelAt(*target, centre.x, centre.y));
    EXPECT_NE(0xFF00FFu, slidetest::PixelAt(*target, bar.Width() / 2, bar.Height() / 2));
}

TEST(PlayerBarConfiguration, GoesThroughConfigTxtInTheCurrentFolderAndStaysThere) {
    slidetest::CScratchFolder folder(L"vimbrel-bar-config");
    ASSERT_TRUE(SetCurrentDirectoryW(folder.Path().c_str()));
    HWND owner = MakeOwner();
    CPlayerControlBar bar;
    ASSERT_TRUE(bar.Create(owner, 100, 100, L"", L"control"));
    // The slide list's bare names depend on the current directory.
    EXPECT_EQ(folder.Path(), CurrentDirectory());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(folder.File(L"config.txt").c_str()));
    bar.Destroy();
    DestroyWindow(owner);
}
