// The camera-button window as the outside tool finds and uses it: by class
// and title, owned and never shown; wParam 71 and 72 reach the handler as
// the capture and zoom keys, other values and other messages do not; a
// second window over the already registered class works the same.
#include "CHiddenMessageWindow.h"
#include "MessagePump.h"

#include <gtest/gtest.h>

#include <new>
#include <vector>

using namespace vimbrel::mainwindow;

namespace {

struct OwnerWindow {
    OwnerWindow() {
        hwnd = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    }
    ~OwnerWindow() { DestroyWindow(hwnd); }
    HWND hwnd;
};

}  // namespace

TEST(HiddenMessageWindow, IsFoundByClassAndTitleAndHandsOnTheTwoKeys) {
    OwnerWindow owner;
    ASSERT_NE(owner.hwnd, nullptr);
    std::vector<HardwareButton> pressed;
    CHiddenMessageWindow window;
    ASSERT_TRUE(window.Create(owner.hwnd, [&pressed](HardwareButton b) { pressed.push_back(b); }));

    HWND found = FindWindowW(L"VIDEOCAPEX_CLASSNAME", L"Vimbrel");
    ASSERT_EQ(found, window.Handle());
    EXPECT_EQ(GetWindow(found, GW_OWNER), owner.hwnd);
    EXPECT_FALSE(IsWindowVisible(found));
    EXPECT_EQ(GetWindowLongPtrW(found, GWL_STYLE) & WS_POPUP, static_cast<LONG_PTR>(WS_POPUP));
    EXPECT_NE(GetWindowLongPtrW(found, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
    RECT rect{};
    GetWindowRect(found, &rect);
    EXPECT_EQ(rect.right - rect.left, 0);
    EXPECT_EQ(rect.bottom - rect.top, 0);

    // The tool registers the message by name, as the window did.
    const UINT message = RegisterWindowMessageW(L"KVX_VIDEOCAPEX_MESSAGE");
    ASSERT_NE(message, 0u);
    EXPECT_EQ(window.Message(), message);
    SendMessageW(found, message, 71, 0);
    SendMessageW(found, message, 72, 0);
    SendMessageW(found, message, 70, 0);
    SendMessageW(found, message, 0, 0);
    SendMessageW(found, WM_USER + 71, 71, 0);  // another message with the same wParam
    ASSERT_EQ(pressed.size(), 2u);
    EXPECT_EQ(pressed[0], HardwareButton::kCapture);
    EXPECT_EQ(pressed[1], HardwareButton::kZoom);

    // A posted press arrives through the message loop too.
    PostMessageW(found, message, 71, 0);
    testbench::PumpWaiting();
    EXPECT_EQ(pressed.size(), 3u);

    window.Destroy();
    EXPECT_FALSE(IsWindow(found));
    EXPECT_EQ(FindWindowW(L"VIDEOCAPEX_CLASSNAME", nullptr), nullptr);
}

TEST(HiddenMessageWindow, AClassRegisteredBeforeIsUsedAgain) {
    OwnerWindow owner;
    int presses = 0;
    {
        CHiddenMessageWindow first;
        ASSERT_TRUE(first.Create(owner.hwnd, [](HardwareButton) {}));
    }
    CHiddenMessageWindow second;
    ASSERT_TRUE(second.Create(owner.hwnd, [&presses](HardwareButton) { ++presses; }));
    SendMessageW(second.Handle(), second.Message(), 72, 0);
    EXPECT_EQ(presses, 1);
    // Its owner going takes the window with it; the object copes.
    DestroyWindow(owner.hwnd);
    owner.hwnd = nullptr;
    EXPECT_FALSE(IsWindow(second.Handle()));
    second.Destroy();
    EXPECT_EQ(second.Handle(), nullptr);
}

TEST(HiddenMessageWindow, AHandlerThatThrowsLosesThatPressOnly) {
    OwnerWindow owner;
    int presses = 0;
    CHiddenMessageWindow window;
    ASSERT_TRUE(window.Create(owner.hwnd, [&presses](HardwareButton) {
        if (++presses == 1) throw std::bad_alloc();
    }));
    EXPECT_NO_THROW(SendMessageW(window.Handle(), window.Message(), 71, 0));
    SendMessageW(window.Handle(), window.Message(), 72, 0);
    EXPECT_EQ(presses, 2);
}
