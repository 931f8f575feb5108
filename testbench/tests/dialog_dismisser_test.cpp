#include "CDialogDismisser.h"

#include <gtest/gtest.h>

namespace {

TEST(DialogDismisser, PressesTheChosenButtonAndRecordsTheBox) {
    testbench::CDialogDismisser dismisser(IDNO);
    int answer = MessageBoxW(nullptr, L"Replace the file?", L"Vimbrel", MB_YESNO);
    EXPECT_EQ(IDNO, answer);

    ASSERT_EQ(1u, dismisser.WaitFor(1, 2000));
    auto boxes = dismisser.Dismissed();
    EXPECT_EQ(L"Vimbrel", boxes[0].caption);
    EXPECT_NE(std::wstring::npos, boxes[0].text.find(L"Replace the file?"));
    EXPECT_EQ(IDNO, boxes[0].pressed);
}

TEST(DialogDismisser, ClosesABoxWithoutTheChosenButton) {
    testbench::CDialogDismisser dismisser(IDYES);
    int answer = MessageBoxW(nullptr, L"No camera", L"Vimbrel", MB_OKCANCEL);
    // OK/Cancel has no Yes: the box is closed, which a message box reports as Cancel.
    EXPECT_EQ(IDCANCEL, answer);
    ASSERT_EQ(1u, dismisser.WaitFor(1, 2000));
    EXPECT_EQ(IDCANCEL, dismisser.Dismissed()[0].pressed);
}

TEST(DialogDismisser, HandlesSeveralBoxesInTurn) {
    testbench::CDialogDismisser dismisser(IDOK);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(IDOK, MessageBoxW(nullptr, L"Saved", L"Vimbrel", MB_OK));
    EXPECT_EQ(3u, dismisser.WaitFor(3, 2000));
}

}  // namespace
