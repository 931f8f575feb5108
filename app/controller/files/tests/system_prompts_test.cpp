// The system's own modal windows and mail program as the file actions use
// them; the test bench closes every box and records what it said.
#include "CDialogDismisser.h"
#include "FileActionPrompts.h"
#include "MailClient.h"

#include <gtest/gtest.h>

namespace vimbrel::controller {
namespace {

TEST(SystemPrompts, MessageBoxCarriesTextAndCaption) {
    testbench::CDialogDismisser dismisser(IDOK);
    CSystemFileActionPrompts prompts;
    prompts.ShowMessage(nullptr, L"can't print audio file", L"Tolvex");
    ASSERT_EQ(dismisser.WaitFor(1, 5000), 1u);
    auto boxes = dismisser.Dismissed();
    EXPECT_EQ(boxes[0].caption, L"Tolvex");
    EXPECT_NE(boxes[0].text.find(L"can't print audio file"), std::wstring::npos);
}

TEST(SystemPrompts, CancelledSaveDialogAndNoPrinterChooseNothing) {
    testbench::CDialogDismisser dismisser(IDCANCEL);
    CSystemFileActionPrompts prompts;
    EXPECT_FALSE(prompts.AskCopyDestination(nullptr, L"*.jpg|*.jpg||", L"jpg"));
    EXPECT_GE(dismisser.Dismissed().size(), 1u);
    // The prefix has no printer: no job, whatever the dialog says about it.
    PrinterChoice choice = prompts.AskPrinter(nullptr);
    EXPECT_FALSE(choice.job);
}

// The [MAIL] section of the prefix's win.ini, put back afterwards.
class MailProfileTest : public ::testing::Test {
protected:
    void SetUp() override { GetProfileStringW(L"MAIL", L"MAPI", L"", saved_, MAX_PATH); }
    void TearDown() override { WriteProfileStringW(L"MAIL", L"MAPI", saved_[0] ? saved_ : nullptr); }
    wchar_t saved_[MAX_PATH] = L"";
};

TEST_F(MailProfileTest, MailProgramIsSetUpByTheProfilesMapiEntry) {
    CSystemMailClient mail;
    WriteProfileStringW(L"MAIL", L"MAPI", nullptr);
    EXPECT_FALSE(mail.IsConfigured());
    WriteProfileStringW(L"MAIL", L"MAPI", L"0");
    EXPECT_FALSE(mail.IsConfigured());
    WriteProfileStringW(L"MAIL", L"MAPI", L"1");
    EXPECT_TRUE(mail.IsConfigured());
    // Wine's MAPI32.DLL lies on the search path and exports MAPISendMail.
    EXPECT_TRUE(mail.Load());
    EXPECT_TRUE(mail.Load());
}

}  // namespace
}  // namespace vimbrel::controller
