#include "MessagePump.h"

#include <gtest/gtest.h>

namespace {

// A key posted to an edit box types only once the pump translates it into a
// character and dispatches that; a condition that never holds ends at its
// bound instead of hanging the test.
TEST(MessagePump, TranslatesAndDispatchesUntilTheConditionHoldsOrTheBoundPasses) {
    HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    PostMessageW(edit, WM_KEYDOWN, 'A', 0x001E0001);
    EXPECT_TRUE(testbench::PumpUntil([edit] { return GetWindowTextLengthW(edit) == 1; }, 5000));
    EXPECT_FALSE(testbench::PumpUntil([] { return false; }, 30));
    DestroyWindow(edit);
}

}  // namespace
