#include "winowners/GdiOwners.h"
#include "winowners/KernelOwners.h"

#include <gtest/gtest.h>

namespace {

using namespace winowners;

TEST(WindowsOwnersTest, KernelHandlesAndKeys)
{
    // CreateFile's failure value is no handle: the owner must not take it as one.
    UniqueHandle missing(CreateFileW(L"C:\\no such folder\\no such file", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_EQ(missing.get(), INVALID_HANDLE_VALUE);
    EXPECT_FALSE(missing);

    UniqueHandle event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    ASSERT_TRUE(event);
    HANDLE raw = event.get();
    event.reset();
    DWORD flags = 0;
    EXPECT_FALSE(GetHandleInformation(raw, &flags)); // closed by reset()

    UniqueKey key;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_READ, key.put()), ERROR_SUCCESS);
    EXPECT_TRUE(key);
}

TEST(WindowsOwnersTest, SelectionPutsThePreviousObjectBack)
{
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

} // namespace
