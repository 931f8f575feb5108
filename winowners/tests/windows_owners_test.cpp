#include "winowners/GdiOwners.h"
#include "winowners/KernelOwners.h"
#include "winowners/ThreadOwners.h"

#include <gtest/gtest.h>

namespace {

using namespace winowners;

TEST(WindowsOwnersTest, KernelHandlesAndKeys) {
    // CreateFile's failure value is no handle: the owner must not take it as one.
    UniqueHandle missing(
        CreateFileW(L"C:\\no such folder\\no such file", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_EQ(missing.get(), INVALID_HANDLE_VALUE);
    EXPECT_FALSE(missing);

    UniqueHandle event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    ASSERT_TRUE(event);
    HANDLE raw = event.get();
    event.reset();
    DWORD flags = 0;
    EXPECT_FALSE(GetHandleInformation(raw, &flags));  // closed by reset()

    UniqueKey key;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_READ, key.put()), ERROR_SUCCESS);
    EXPECT_TRUE(key);
}

TEST(WindowsOwnersTest, SelectionPutsThePreviousObjectBack) {
    UniqueWindowDC screen = GetDCOwner(nullptr);
    ASSERT_TRUE(screen);
    UniqueMemoryDC dc(CreateCompatibleDC(screen.get()));
    ASSERT_TRUE(dc);
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), 4, 4));
    ASSERT_TRUE(bitmap);
    HGDIOBJ before = GetCurrentObject(dc.get(), OBJ_BITMAP);
    {
        UniqueSelection selected = SelectObjectOwner(dc.get(), bitmap.get());
        EXPECT_TRUE(selected);
        EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BITMAP), bitmap.get());
    }
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BITMAP), before);
}

DWORD WINAPI SendToWindow(void* window) {
    SendMessageW(static_cast<HWND>(window), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"sent"));
    return 0;
}

DWORD WINAPI WaitForever(void* event) {
    WaitForSingleObject(static_cast<HANDLE>(event), INFINITE);
    return 0;
}

TEST(WindowsOwnersTest, StopThreadTerminatesOnlyWhatDoesNotEnd) {
    // A worker sending to a window of the waiting thread ends only when the
    // wait answers it.
    HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    UniqueHandle sender(CreateThread(nullptr, 0, &SendToWindow, window, 0, nullptr));
    ASSERT_TRUE(sender);
    EXPECT_FALSE(StopThread(sender.get(), {10000, ThreadWait::AnsweringSentMessages}));
    wchar_t text[8] = {};
    GetWindowTextW(window, text, 8);
    EXPECT_STREQ(text, L"sent");
    DestroyWindow(window);

    UniqueHandle never(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    UniqueHandle stuck(CreateThread(nullptr, 0, &WaitForever, never.get(), 0, nullptr));
    ASSERT_TRUE(stuck);
    EXPECT_TRUE(StopThread(stuck.get(), {50, ThreadWait::Plain, 5000}));
    EXPECT_EQ(WaitForSingleObject(stuck.get(), 0), WAIT_OBJECT_0);  // gone once StopThread returns
}

}  // namespace
