// Window objects: binding from the first message, subclassing, reflection,
// pre-translation and the end of a window's life.
#include "framework/CWindow.h"

#include "FrameworkTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <new>
#include <string>
#include <vector>

using framework::CWindow;

namespace {

class CRecordingWindow : public CWindow {
public:
    std::vector<UINT> messages;
    CWindow* boundDuringCreate = nullptr;
    int finalMessages = 0;
    bool handleCommands = false;
    int commandsSeen = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        messages.push_back(message);
        if (message == WM_CREATE) boundDuringCreate = FromHandle(Handle());
        if (message == WM_COMMAND) {
            ++commandsSeen;
            if (handleCommands) return 0;
        }
        return CWindow::WindowProc(message, wParam, lParam);
    }
    void OnFinalMessage() override { ++finalMessages; }
};

class CReflectingButton : public CWindow {
public:
    int clicks = 0;
    HBRUSH brush = nullptr;
    bool acceptClicks = true;

protected:
    bool OnReflectedMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) override {
        if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED && acceptClicks) {
            ++clicks;
            result = 0;
            return true;
        }
        if (message == WM_CTLCOLORBTN && brush) {
            result = reinterpret_cast<LRESULT>(brush);
            return true;
        }
        return false;
    }
};

RECT Box(int x, int y, int w, int h) { return RECT{x, y, x + w, y + h}; }

TEST(WindowObject, IsBoundFromTheFirstMessageUntilTheLast) {
    const wchar_t* cls = framework::RegisterAnonymousClass(0, LoadCursor(nullptr, IDC_ARROW));
    ASSERT_NE(cls, nullptr);
    CRecordingWindow window;
    ASSERT_TRUE(window.Create(0, cls, L"bound", WS_OVERLAPPEDWINDOW, Box(0, 0, 200, 100), nullptr, 0));
    ASSERT_FALSE(window.messages.empty());
    // The first message a new top-level window gets comes before WM_NCCREATE.
    EXPECT_EQ(window.messages.front(), static_cast<UINT>(WM_GETMINMAXINFO));
    EXPECT_EQ(window.boundDuringCreate, &window);
    HWND hwnd = window.Handle();
    EXPECT_EQ(CWindow::FromHandle(hwnd), &window);

    window.Destroy();
    EXPECT_EQ(window.Handle(), nullptr);
    EXPECT_EQ(window.finalMessages, 1);
    EXPECT_EQ(CWindow::FromHandle(hwnd), nullptr);
    EXPECT_EQ(window.messages.back(), static_cast<UINT>(WM_NCDESTROY));
}

// Throws from its handler of one message.
class CThrowingWindow : public CWindow {
public:
    explicit CThrowingWindow(UINT throwOn) : throwOn_(throwOn) {}
    int finalMessages = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == throwOn_) throw std::bad_alloc();
        return CWindow::WindowProc(message, wParam, lParam);
    }
    void OnFinalMessage() override { ++finalMessages; }

private:
    UINT throwOn_;
};

TEST(WindowObject, AHandlerThatThrowsRefusesItsMessageAndTheWindowLivesOn) {
    const wchar_t* cls = framework::RegisterAnonymousClass(0);
    // At creation: no window.
    CThrowingWindow refused(WM_CREATE);
    EXPECT_FALSE(refused.Create(0, cls, L"refused", WS_POPUP, Box(0, 0, 10, 10), nullptr, 0));
    EXPECT_EQ(refused.Handle(), nullptr);

    // Later: that message answers 0, the next ones are served as before.
    constexpr UINT kThrows = WM_APP + 7;
    CThrowingWindow window(kThrows);
    ASSERT_TRUE(window.Create(0, cls, L"lives", WS_POPUP, Box(0, 0, 10, 10), nullptr, 0));
    HWND hwnd = window.Handle();
    EXPECT_EQ(SendMessageW(hwnd, kThrows, 0, 0), 0);
    SetWindowTextW(hwnd, L"still here");
    wchar_t title[16] = {};
    GetWindowTextW(hwnd, title, 16);
    EXPECT_STREQ(title, L"still here");
    window.Destroy();

    // On the last message: the object is still let go.
    CThrowingWindow last(WM_NCDESTROY);
    ASSERT_TRUE(last.Create(0, cls, L"last", WS_POPUP, Box(0, 0, 10, 10), nullptr, 0));
    hwnd = last.Handle();
    last.Destroy();
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(last.Handle(), nullptr);
    EXPECT_EQ(CWindow::FromHandle(hwnd), nullptr);
    EXPECT_EQ(last.finalMessages, 1);
}

TEST(WindowObject, AnonymousClassesAreSharedPerAttributeSet) {
    HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    HCURSOR hand = LoadCursor(nullptr, IDC_HAND);
    const wchar_t* a = framework::RegisterAnonymousClass(CS_DBLCLKS, arrow);
    const wchar_t* b = framework::RegisterAnonymousClass(CS_DBLCLKS, arrow);
    const wchar_t* c = framework::RegisterAnonymousClass(CS_DBLCLKS, hand);
    ASSERT_TRUE(a && b && c);
    EXPECT_EQ(std::wstring(a), std::wstring(b));
    EXPECT_NE(std::wstring(a), std::wstring(c));
    WNDCLASSW info{};
    ASSERT_TRUE(GetClassInfoW(GetModuleHandleW(nullptr), c, &info));
    EXPECT_EQ(info.hCursor, hand);
    EXPECT_EQ(info.style, static_cast<UINT>(CS_DBLCLKS));
}

TEST(WindowObject, SubclassedControlKeepsItsOwnBehaviourAndCanBeReleased) {
    HWND parent = frameworktest::MakePlainWindow(L"parent");
    HWND stat = CreateWindowExW(0, L"STATIC", L"before", WS_CHILD, 0, 0, 50, 20, parent, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(stat);
    const LONG_PTR original = GetWindowLongPtrW(stat, GWLP_WNDPROC);

    CRecordingWindow window;
    ASSERT_TRUE(window.Subclass(stat));
    CRecordingWindow second;
    EXPECT_FALSE(second.Subclass(stat));  // one object per window

    SetWindowTextW(stat, L"after");
    wchar_t text[16] = {};
    GetWindowTextW(stat, text, 16);
    EXPECT_STREQ(text, L"after");  // the static control still stores its text
    EXPECT_NE(std::find(window.messages.begin(), window.messages.end(), static_cast<UINT>(WM_SETTEXT)),
              window.messages.end());

    EXPECT_EQ(window.Unsubclass(), stat);
    EXPECT_EQ(GetWindowLongPtrW(stat, GWLP_WNDPROC), original);
    const size_t seen = window.messages.size();
    SetWindowTextW(stat, L"free");
    EXPECT_EQ(window.messages.size(), seen);
    EXPECT_EQ(CWindow::FromHandle(stat), nullptr);
    DestroyWindow(parent);
}

TEST(WindowObject, DestroyingTheObjectDestroysTheWindowItMade) {
    HWND hwnd = nullptr;
    {
        CRecordingWindow window;
        ASSERT_TRUE(
            window.Create(0, framework::RegisterAnonymousClass(0), L"short", WS_POPUP, Box(0, 0, 10, 10), nullptr, 0));
        hwnd = window.Handle();
    }
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(CWindow::FromHandle(hwnd), nullptr);
}

TEST(Reflection, NotificationsGoBackToTheControlUnlessTheParentTakesThem) {
    CRecordingWindow parent;
    ASSERT_TRUE(parent.Create(0, framework::RegisterAnonymousClass(0), L"parent", WS_OVERLAPPEDWINDOW,
                              Box(0, 0, 200, 100), nullptr, 0));
    CReflectingButton button;
    ASSERT_TRUE(button.Create(0, L"BUTTON", L"press", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, Box(5, 5, 60, 20),
                              parent.Handle(), 42));

    SendMessageW(button.Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(parent.commandsSeen, 1);  // the parent sees it first
    EXPECT_EQ(button.clicks, 1);

    parent.handleCommands = true;
    SendMessageW(button.Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(parent.commandsSeen, 2);
    EXPECT_EQ(button.clicks, 1);  // the parent kept it

    // Colours: the control's answer is the parent's answer.
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    button.brush = brush;
    HDC dc = GetDC(button.Handle());
    LRESULT answer = SendMessageW(parent.Handle(), WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc),
                                  reinterpret_cast<LPARAM>(button.Handle()));
    EXPECT_EQ(answer, reinterpret_cast<LRESULT>(brush));
    ReleaseDC(button.Handle(), dc);
    button.Destroy();
    parent.Destroy();
    DeleteObject(brush);
}

class CPreTranslateProbe : public CWindow {
public:
    CPreTranslateProbe(std::vector<std::wstring>& log, std::wstring name, bool take)
        : log_(log), name_(std::move(name)), take_(take) {}
    bool PreTranslateMessage(MSG&) override {
        log_.push_back(name_);
        return take_;
    }

private:
    std::vector<std::wstring>& log_;
    std::wstring name_;
    bool take_;
};

TEST(PreTranslation, WalksFromTheTargetUpToTheLastWindowAndStopsWhenTaken) {
    std::vector<std::wstring> log;
    const wchar_t* cls = framework::RegisterAnonymousClass(0);
    CPreTranslateProbe top(log, L"top", false), middle(log, L"middle", false), leaf(log, L"leaf", false);
    ASSERT_TRUE(top.Create(0, cls, L"top", WS_OVERLAPPEDWINDOW, Box(0, 0, 200, 200), nullptr, 0));
    ASSERT_TRUE(middle.Create(0, cls, nullptr, WS_CHILD, Box(0, 0, 100, 100), top.Handle(), 1));
    // A window without an object in the middle of the chain is skipped.
    HWND bare = CreateWindowExW(0, L"STATIC", nullptr, WS_CHILD, 0, 0, 50, 50, middle.Handle(), nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(leaf.Create(0, cls, nullptr, WS_CHILD, Box(0, 0, 10, 10), bare, 2));

    MSG msg{leaf.Handle(), WM_KEYDOWN, VK_SPACE, 0, 0, {0, 0}};
    EXPECT_FALSE(framework::WalkPreTranslate(msg, nullptr));
    EXPECT_EQ(log, (std::vector<std::wstring>{L"leaf", L"middle", L"top"}));

    log.clear();
    EXPECT_FALSE(framework::WalkPreTranslate(msg, middle.Handle()));
    EXPECT_EQ(log, (std::vector<std::wstring>{L"leaf", L"middle"}));

    CPreTranslateProbe taker(log, L"taker", true);
    leaf.Destroy();
    ASSERT_TRUE(taker.Create(0, cls, nullptr, WS_CHILD, Box(0, 0, 10, 10), bare, 2));
    log.clear();
    msg.hwnd = taker.Handle();
    EXPECT_TRUE(framework::WalkPreTranslate(msg, nullptr));
    EXPECT_EQ(log, (std::vector<std::wstring>{L"taker"}));
    top.Destroy();
}

}  // namespace
