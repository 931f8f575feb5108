// Dialogs: the modal loop, its owner, data exchange both ways and refused
// values, showing a hidden template, quitting and ending early.
#include "framework/CApplication.h"
#include "framework/CDialog.h"

#include "FrameworkTestIds.h"
#include "FrameworkTestSupport.h"
#include "MessagePump.h"

#include <gtest/gtest.h>
#include <commctrl.h>

#include <new>
#include <string>

using frameworktest::CStepScript;

namespace {

class CValuesDialog : public framework::CDialog {
public:
    explicit CValuesDialog(HWND owner, UINT templateId = IDD_VALUES) : CDialog(templateId, owner) {}

    int number = 42;
    std::wstring name = L"Alpha";
    int check = 1;
    int radio = 1;
    int slider = 7;
    int combo = 2;
    int invalidControl = 0;
    bool endInInit = false;
    bool throwInInit = false;
    bool swallowEscape = false;
    CStepScript script;

protected:
    BOOL OnInitDialog() override {
        SendDlgItemMessageW(Handle(), IDC_SLIDER, TBM_SETRANGE, TRUE, MAKELPARAM(0, 20));
        for (const wchar_t* item : {L"zero", L"one", L"two"})
            SendDlgItemMessageW(Handle(), IDC_COMBO, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        BOOL result = CDialog::OnInitDialog();
        if (throwInInit) throw std::bad_alloc();
        if (endInInit) {
            EndDialog(-1);
            return FALSE;
        }
        script.Start(Handle(), [this] { EndDialog(-2); });
        return result;
    }
    void DoDataExchange(framework::CDataExchange& dx) override {
        framework::ExchangeText(dx, IDC_NUMBER, number);
        framework::ValidateRange(dx, IDC_NUMBER, number, -100, 100);
        framework::ExchangeText(dx, IDC_NAME, name);
        framework::ExchangeCheck(dx, IDC_CHECK, check);
        framework::ExchangeRadio(dx, IDC_RADIO_FIRST, radio);
        framework::ExchangeSlider(dx, IDC_SLIDER, slider);
        framework::ExchangeComboIndex(dx, IDC_COMBO, combo);
    }
    void OnDataInvalid(int id) override { invalidControl = id; }
    bool PreTranslateMessage(MSG& msg) override {
        if (swallowEscape && msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) return true;
        return CDialog::PreTranslateMessage(msg);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (script.Handle(message, wParam)) return 0;
        return CDialog::WindowProc(message, wParam, lParam);
    }
};

std::wstring ItemText(HWND dialog, int id) {
    wchar_t text[64] = {};
    GetDlgItemTextW(dialog, id, text, 64);
    return text;
}

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override { owner_ = frameworktest::MakePlainWindow(L"owner"); }
    void TearDown() override {
        DestroyWindow(owner_);
        testbench::PumpWaiting();
    }
    HWND owner_ = nullptr;
};

TEST_F(DialogTest, ModalLoopDisablesTheOwnerAndEndsWithTheButtonPressed) {
    CValuesDialog dialog(owner_);
    bool ownerEnabledDuring = true;
    HWND during = nullptr;
    dialog.script.Add([&] {
        ownerEnabledDuring = IsWindowEnabled(owner_) != FALSE;
        during = dialog.Handle();
        EXPECT_TRUE(dialog.IsModal());
        PostMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog.Handle(), IDOK)));
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_FALSE(dialog.script.TimedOut());
    EXPECT_FALSE(ownerEnabledDuring);
    EXPECT_TRUE(IsWindowEnabled(owner_));
    EXPECT_FALSE(IsWindow(during));
    EXPECT_EQ(dialog.Handle(), nullptr);

    // The close box is Cancel.
    CValuesDialog closed(owner_);
    closed.script.Add([&] { PostMessageW(closed.Handle(), WM_CLOSE, 0, 0); });
    EXPECT_EQ(closed.DoModal(), IDCANCEL);
}

TEST_F(DialogTest, DataGoesToTheControlsAndComesBackOnOk) {
    CValuesDialog dialog(owner_);
    dialog.script.Add([&] {
        HWND d = dialog.Handle();
        EXPECT_EQ(ItemText(d, IDC_NUMBER), L"42");
        EXPECT_EQ(ItemText(d, IDC_NAME), L"Alpha");
        EXPECT_EQ(IsDlgButtonChecked(d, IDC_CHECK), static_cast<UINT>(BST_CHECKED));
        EXPECT_EQ(IsDlgButtonChecked(d, IDC_RADIO_FIRST), static_cast<UINT>(BST_UNCHECKED));
        EXPECT_EQ(IsDlgButtonChecked(d, IDC_RADIO_SECOND), static_cast<UINT>(BST_CHECKED));
        EXPECT_EQ(SendDlgItemMessageW(d, IDC_SLIDER, TBM_GETPOS, 0, 0), 7);
        EXPECT_EQ(SendDlgItemMessageW(d, IDC_COMBO, CB_GETCURSEL, 0, 0), 2);
        // The user's changes.
        SetDlgItemTextW(d, IDC_NUMBER, L" -17 ");
        SetDlgItemTextW(d, IDC_NAME, L"Beta gamma");
        CheckDlgButton(d, IDC_CHECK, BST_UNCHECKED);
        CheckRadioButton(d, IDC_RADIO_FIRST, IDC_RADIO_THIRD, IDC_RADIO_THIRD);
        SendDlgItemMessageW(d, IDC_SLIDER, TBM_SETPOS, TRUE, 19);
        SendDlgItemMessageW(d, IDC_COMBO, CB_SETCURSEL, 0, 0);
        PostMessageW(d, WM_COMMAND, IDOK, 0);
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.number, -17);
    EXPECT_EQ(dialog.name, L"Beta gamma");
    EXPECT_EQ(dialog.check, 0);
    EXPECT_EQ(dialog.radio, 2);
    EXPECT_EQ(dialog.slider, 19);
    EXPECT_EQ(dialog.combo, 0);
}

TEST_F(DialogTest, RefusedValueKeepsTheDialogOpenAndTheMembersUntouched) {
    CValuesDialog dialog(owner_);
    bool stillOpen = false;
    dialog.script.Add([&] {
        SetDlgItemTextW(dialog.Handle(), IDC_NUMBER, L"12abc");
        SetDlgItemTextW(dialog.Handle(), IDC_NAME, L"changed");
        PostMessageW(dialog.Handle(), WM_COMMAND, IDOK, 0);
    });
    dialog.script.Add([&] {
        stillOpen = IsWindow(dialog.Handle()) != FALSE;
        EXPECT_EQ(dialog.invalidControl, IDC_NUMBER);
        dialog.invalidControl = 0;
        SetDlgItemTextW(dialog.Handle(), IDC_NUMBER, L"101");  // out of range
        PostMessageW(dialog.Handle(), WM_COMMAND, IDOK, 0);
    });
    dialog.script.Add([&] {
        EXPECT_EQ(dialog.invalidControl, IDC_NUMBER);
        SetDlgItemTextW(dialog.Handle(), IDC_NUMBER, L"99999999999");  // beyond int
        PostMessageW(dialog.Handle(), WM_COMMAND, IDOK, 0);
    });
    dialog.script.Add([&] { PostMessageW(dialog.Handle(), WM_COMMAND, IDCANCEL, 0); });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(dialog.invalidControl, IDC_NUMBER);
    // The exchange stopped at the refused control: nothing after it changed.
    EXPECT_EQ(dialog.name, L"Alpha");
}

TEST_F(DialogTest, EndingInItsInitialisationReturnsAtOnceAndFreesTheOwner) {
    CValuesDialog dialog(owner_);
    dialog.endInInit = true;
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_EQ(dialog.Handle(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(owner_));
}

TEST_F(DialogTest, AnInitialisationThatThrowsEndsTheDialogAsNotMade) {
    CValuesDialog modal(owner_);
    modal.throwInInit = true;
    EXPECT_EQ(modal.DoModal(), -1);
    EXPECT_EQ(modal.Handle(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(owner_));

    CValuesDialog modeless(owner_);
    modeless.throwInInit = true;
    EXPECT_FALSE(modeless.CreateModeless());
    EXPECT_EQ(modeless.Handle(), nullptr);
}

TEST_F(DialogTest, HiddenTemplateIsShownOnceWhenTheQueueIsIdle) {
    CValuesDialog dialog(owner_, IDD_HIDDEN);
    bool shown = false, visibleAfterHiding = true;
    // On a loaded machine the first step's timer can come due before the
    // start-up's messages are through, so the first dry queue follows that
    // step; the queue runs dry between steps, so a later look sees it.
    for (int look = 0; look < 3; ++look)
        dialog.script.Add([&] { shown = shown || IsWindowVisible(dialog.Handle()) != FALSE; });
    dialog.script.Add([&] { ShowWindow(dialog.Handle(), SW_HIDE); });
    dialog.script.Add([] { Sleep(50); });
    dialog.script.Add([&] {
        visibleAfterHiding = IsWindowVisible(dialog.Handle()) != FALSE;
        dialog.EndDialog(IDOK);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(shown) << "the hidden dialog was never shown";
    EXPECT_FALSE(visibleAfterHiding);
}

TEST_F(DialogTest, QuitEndsTheLoopAndReachesTheOuterLoop) {
    CValuesDialog dialog(owner_);
    dialog.script.Add([] { PostQuitMessage(7); });
    EXPECT_EQ(dialog.DoModal(), -1);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
}

TEST_F(DialogTest, EscapeCancelsUnlessTheDialogTakesItFirst) {
    for (bool swallow : {false, true}) {
        CValuesDialog dialog(owner_);
        dialog.swallowEscape = swallow;
        dialog.script.Add([&] {
            HWND edit = GetDlgItem(dialog.Handle(), IDC_NAME);
            SetFocus(edit);
            PostMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        });
        dialog.script.Add([&] { dialog.EndDialog(77); });
        EXPECT_EQ(dialog.DoModal(), swallow ? 77 : IDCANCEL) << "swallow " << swallow;
    }
}

TEST_F(DialogTest, ModelessDialogEndsByDestroyingItself) {
    CValuesDialog dialog(owner_);
    ASSERT_TRUE(dialog.CreateModeless());
    HWND hwnd = dialog.Handle();
    EXPECT_TRUE(IsWindowEnabled(owner_));
    EXPECT_EQ(framework::CWindow::FromHandle(hwnd), &dialog);
    dialog.EndDialog(IDOK);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(framework::CWindow::FromHandle(hwnd), nullptr);
}

}  // namespace
